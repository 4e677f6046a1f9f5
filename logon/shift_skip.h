#pragma once

#include <string>

#include "logon/logon_report.h"
#include "platform/log_files.h"

// A log-on run begun with Shift held launches nothing, as the system's own log-on leaves its
// Startup folder alone then; the report says so in one line under the run's heading.
// offered: the resident launcher offers the due rows in its menu.
std::string ShiftSkipLine(bool offered);
void ReportShiftSkip(LogFiles& files, const std::string& log_path, const RunHeading& heading,
                     bool offered);
