# Run in place of the segyio check when the configure step found no /usr/bin/python3: the test
# fails, naming what to install, rather than disappearing.
message(FATAL_ERROR "No /usr/bin/python3 was found when obscut was configured: install python3 "
                    "and python3-segyio (scripts/install-deps.sh), then configure again.")
