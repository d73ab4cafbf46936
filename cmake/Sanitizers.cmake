# AddressSanitizer and UndefinedBehaviorSanitizer for the whole build; any report ends the process.
set(OBSCUT_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
add_compile_options(${OBSCUT_SANITIZER_FLAGS})
add_link_options(${OBSCUT_SANITIZER_FLAGS})
