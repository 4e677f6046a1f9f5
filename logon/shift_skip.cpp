#include "logon/shift_skip.h"

namespace {

constexpr char kShiftSkipped[] = "Shiftｷｰが押されていたため、何も起動しませんでした";
constexpr char kRunNowOffered[] = "。ﾀｽｸﾄﾚｲのﾒﾆｭｰの「今すぐ起動」で起動できます";

}  // namespace

std::string ShiftSkipLine(bool offered) {
  return std::string("  ") + kShiftSkipped + (offered ? kRunNowOffered : "");
}

void ReportShiftSkip(LogFiles& files, const std::string& log_path, const RunHeading& heading,
                     bool offered) {
  AppendToLog(files, log_path, {RunLine(heading), ShiftSkipLine(offered)});
}
