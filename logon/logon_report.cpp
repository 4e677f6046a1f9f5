#include "logon/logon_report.h"

#include <cstdio>
#include <exception>

#include "platform/text_format.h"

namespace {

constexpr char kRunTitle[] = "ﾛｸﾞｵﾝ起動";
constexpr char kRowsUnit[] = "行";
constexpr char kAllAtOnce[] = "一斉起動";
constexpr char kWaitPrefix[] = "間隔 ";
constexpr char kSecondsUnit[] = "秒";
constexpr char kSkipRunningMode[] = "起動中のｱﾌﾟﾘは起動しない";
constexpr char kLaunched[] = "起動しました";
constexpr char kFailed[] = "起動できませんでした: ";
constexpr char kErrorCode[] = "エラー ";
constexpr char kTooLong[] = "失敗 ﾌｧｲﾙ名、作業ﾌｫﾙﾀﾞまたは引数が長すぎます";
constexpr char kError[] = "ｴﾗｰ ";
constexpr char kSkipped[] = "ｽｷｯﾌﾟ ";
constexpr char kNoFile[] = "ﾌｧｲﾙなし";
constexpr char kOutsideBand[] = "時間帯 ";
constexpr char kNotEnabled[] = "無効";
constexpr char kRanToday[] = "本日起動済み";
constexpr char kAlreadyRunning[] = "起動中";
constexpr char kNotStarted[] = "未起動 (終了により中止)";
constexpr char kOtherDay[] = "曜日 ";
constexpr char kOnlyOn[] = " のみ (本日 ";
constexpr char kWaitedDelay[] = " (遅延の指定で ";
constexpr char kWaitedIdle[] = " (ｱｲﾄﾞﾙになるまで ";
constexpr char kWaitedIdleLimit[] = " (ｱｲﾄﾞﾙにならず上限の ";
constexpr char kWaitedEnd[] = "秒待機)";
constexpr char kPendingDelay[] = " 遅延待ち";
constexpr char kPendingIdle[] = " ｱｲﾄﾞﾙ待ち";
constexpr char kPendingCondition[] = " 条件待ち: ";
constexpr char kPreviousReady[] = "直前に起動したｱﾌﾟﾘの準備完了";
constexpr char kPathExists[] = "' の存在";
constexpr char kPortOpen[] = "' への接続";
constexpr char kConditionOpen[] = " [条件 ";
constexpr char kConditionMet[] = "秒待って成立]";
constexpr char kConditionLimitStart[] = "秒待っても成立しないため上限で起動]";
constexpr char kConditionUnmet[] = "条件 ";
constexpr char kConditionLimitSkip[] = "秒待っても成立しないため上限で中止";
constexpr char kCutMark[] = "...";
constexpr char kKeptMark[] = " (取り込み)";
constexpr char kMisreadSetting[] = "設定 '%s' の値が正しくないため、既定の値で起動しました";
constexpr char kMendedSetting[] = "設定 '%s' の値が正しくないため、'%s' として起動しました";
constexpr char kUnreadList[] = "ｱｲﾃﾑﾌｧｲﾙを読み込めないため、何も起動しませんでした: ";

std::string TwoDigits(int value) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d", value);
  return text;
}

std::string ShortTitle(const std::string& title) {
  const std::string line = OneLine(title);
  if (line.size() <= kReportTitleBytes) return line;
  size_t end = 0;
  while (end < line.size()) {
    const size_t width = IsShiftJisLeadByte(static_cast<unsigned char>(line[end])) ? 2 : 1;
    if (end + width > kReportTitleBytes) break;
    end += width;
  }
  return line.substr(0, end) + kCutMark;
}

// "hh:mm-hh:mm" from hhmmhhmm, keeping whatever a garbled band holds.
std::string BandText(const std::string& band) {
  const auto piece = [&](size_t from) { return from < band.size() ? band.substr(from, 2) : ""; };
  return piece(0) + ":" + piece(2) + "-" + piece(4) + ":" + piece(6);
}

// When a row started and what it waited for: its own time is its actual start.
std::string StartText(const RowReport& report) {
  std::string text = report.started_at.empty() ? "" : " " + report.started_at;
  const std::string seconds = std::to_string(report.waited_ms / 1000) + kWaitedEnd;
  switch (report.waited) {
    case WaitReason::Delay:
      return text + kWaitedDelay + seconds;
    case WaitReason::Idle:
      return text + kWaitedIdle + seconds;
    case WaitReason::IdleLimit:
      return text + kWaitedIdleLimit + seconds;
    case WaitReason::None:
      break;
  }
  return text;
}

// How long the row waited for its condition and how that ended; empty without one.
std::string ConditionPart(const RowReport& report) {
  const std::string seconds = std::to_string(report.condition_ms / 1000);
  switch (report.condition_end) {
    case ConditionEnd::Met:
      return kConditionOpen + ConditionText(report.condition) + "を " + seconds + kConditionMet;
    case ConditionEnd::LimitStart:
      return kConditionOpen + ConditionText(report.condition) + "を " + seconds +
             kConditionLimitStart;
    case ConditionEnd::LimitSkip:
    case ConditionEnd::None:
      break;
  }
  return {};
}

std::string OutcomeText(const RowReport& report) {
  static constexpr const char* kDayNames[7] = {"日", "月", "火", "水", "木", "金", "土"};
  switch (report.outcome) {
    case RowOutcome::Launched:
      return kLaunched + StartText(report) + ConditionPart(report);
    case RowOutcome::Failed: {
      const std::string detail = OneLine(report.detail);
      return kFailed + (detail.empty() ? kErrorCode + std::to_string(report.answer.code) : detail) +
             StartText(report);
    }
    case RowOutcome::TooLong:
      return kTooLong;
    case RowOutcome::Error:
      return kError + OneLine(report.detail);
    case RowOutcome::NoFile:
      return std::string(kSkipped) + kNoFile;
    case RowOutcome::OutsideBand:
      return std::string(kSkipped) + kOutsideBand + BandText(report.band) + " 外 (" + report.clock +
             ")";
    case RowOutcome::NotEnabled:
      return std::string(kSkipped) + kNotEnabled;
    case RowOutcome::RanToday:
      return std::string(kSkipped) + kRanToday;
    case RowOutcome::AlreadyRunning:
      return std::string(kSkipped) + kAlreadyRunning;
    case RowOutcome::NotStarted:
      if (report.condition.Set() && report.waited == WaitReason::None)
        return kNotStarted + std::string(kPendingCondition) + ConditionText(report.condition);
      if (report.waited == WaitReason::None) return kNotStarted;
      return kNotStarted +
             std::string(report.waited == WaitReason::Delay ? kPendingDelay : kPendingIdle);
    case RowOutcome::OtherDay:
      return std::string(kSkipped) + kOtherDay + DaysLabel(report.days) + kOnlyOn +
             (report.weekday >= 0 && report.weekday < 7 ? kDayNames[report.weekday] : "?") + ")";
    case RowOutcome::ConditionUnmet:
      return std::string(kSkipped) + kConditionUnmet + ConditionText(report.condition) + "を " +
             std::to_string(report.condition_ms / 1000) + kConditionLimitSkip;
  }
  return {};
}

}  // namespace

std::string ConditionText(const StartCondition& condition) {
  switch (condition.kind) {
    case ConditionKind::PreviousReady:
      return kPreviousReady;
    case ConditionKind::PathExists:
      return "'" + OneLine(condition.target) + kPathExists;
    case ConditionKind::PortOpen:
      return "'" + OneLine(condition.target) + kPortOpen;
    case ConditionKind::None:
      break;
  }
  return {};
}

std::string RunLine(const RunHeading& heading) {
  const LocalTime& t = heading.when;
  std::string line = std::to_string(t.year) + "/" + TwoDigits(t.month) + "/" + TwoDigits(t.day) +
                     " " + TwoDigits(t.hour) + ":" + TwoDigits(t.minute) + ":" +
                     TwoDigits(t.second) + " " + kRunTitle + " " + std::to_string(heading.rows) +
                     kRowsUnit + " ";
  line += heading.wait_seconds > 0
              ? kWaitPrefix + std::to_string(heading.wait_seconds) + kSecondsUnit
              : std::string(kAllAtOnce);
  if (heading.skip_running) line += std::string(" ") + kSkipRunningMode;
  return line;
}

std::string RowLine(const RowReport& report) {
  // A band or clock read from a hand-edited file must not break the line either.
  return "  " + std::to_string(report.row) + " " + ShortTitle(report.title) +
         (report.kept ? kKeptMark : "") + ": " + OneLine(OutcomeText(report));
}

std::string MisreadLine(const std::string& name, const std::string& read_as) {
  if (!read_as.empty())
    return "  " + FormatText(FormatText(kMendedSetting, OneLine(name)), OneLine(read_as));
  return "  " + FormatText(kMisreadSetting, OneLine(name));
}

std::string UnreadListLine(const std::string& error) {
  return "  " + std::string(kUnreadList) + OneLine(error);
}
