#include "app/dialog_templates.h"

namespace obscut {
namespace {

using enum ControlKind;

// clang-format off
constexpr ControlTemplate kMainControls[] = {
    {kDefaultButton, control_id::kOk, "ok", "OK", {161, 83, 50, 14}},
    {kButton, control_id::kCancel, "cancel", "Cancel", {161, 100, 50, 14}},
    {kText, control_id::kNone, "description",
     "Input are variable length data files (2-byte integer format) written by QUORRIN's ORVANE "
     "(designed in 2003). Timing corrections should already have be done for each shot in the "
     "shot table. ",
     {7, 7, 204, 33}},
    {kText, control_id::kNone, "instructions",
     "Please use Cntl+A or Shift+left Click to select all data files for processing. \n\n"
     "Built on Oct, 2003 (Y2K compatible)",
     {7, 44, 204, 33}},
};

constexpr ControlTemplate kSettingsControls[] = {
    {kDefaultButton, control_id::kOk, "ok", "OK", {38, 172, 50, 14}},
    {kButton, control_id::kCancel, "cancel", "Cancel", {91, 172, 50, 14}},
    {kEdit, control_id::kShotTablePath, "shotTablePath", "", {7, 17, 98, 14}},
    {kButton, control_id::kBrowseShotTable, "browseShotTable", "Browse", {108, 17, 33, 14}},
    {kEdit, control_id::kOutputPath, "outputPath", "", {7, 85, 98, 14}},
    {kButton, control_id::kBrowseOutput, "browseOutput", "Browse", {108, 85, 33, 14}},
    {kText, control_id::kNone, "shotTableLabel", "Input file name for shot table:", {7, 7, 87, 8}},
    {kText, control_id::kNone, "outputLabel", "Output file name to hold segy data:",
     {7, 73, 124, 11}},
    {kEdit, control_id::kMinTime, "minTime", "", {65, 35, 40, 14}},
    {kText, control_id::kNone, "minTimeLabel", "Minimum time:", {7, 37, 43, 8}},
    {kText, control_id::kNone, "maxTimeLabel", "Maximum time:", {7, 52, 45, 8}},
    {kEdit, control_id::kMaxTime, "maxTime", "", {65, 50, 40, 14}},
    {kSunkenText, control_id::kNone, "channelNote",
     "Note: Choosing 0 as channel will generate 4 Segy files, occupying about the same size of "
     "your total raw data files (which is in 2-byte short integer format).",
     {7, 129, 134, 35}},
    {kText, control_id::kNone, "channelLabel", "Output channel number (0-4)\n(0: All channels)",
     {8, 105, 87, 17}},
    {kEdit, control_id::kOutputChannel, "outputChannel", "", {101, 104, 40, 14}},
};
// clang-format on

constexpr DialogTemplate kMainDialog{
    102, "Convert TALVEK OBS raw data files to Segy", {218, 121}, kMainControls};
constexpr DialogTemplate kSettingsDialog{
    199, "Convert Datafiles to Segy", {148, 193}, kSettingsControls};

}  // namespace

const DialogTemplate& MainDialogTemplate() {
  return kMainDialog;
}

const DialogTemplate& SettingsDialogTemplate() {
  return kSettingsDialog;
}

}  // namespace obscut
