#include "items/held_item_file.h"

#include <algorithm>

#include "platform/text_format.h"

namespace {

constexpr std::int64_t kFirstPauseMs = 100;
constexpr std::int64_t kLongestPauseMs = 2000;

constexpr char kHeldItemFile[] =
    "  ｱｲﾃﾑﾌｧｲﾙが他のﾌﾟﾛｸﾞﾗﾑに使用されていたため、%s秒待ってから起動しました";
constexpr char kHeldTooLong[] = "  ｱｲﾃﾑﾌｧｲﾙは%s秒待っても他のﾌﾟﾛｸﾞﾗﾑに使用されたままでした";

}  // namespace

int HeldItemFilePauseMs(std::int64_t held_ms) {
  if (held_ms >= kHeldItemFileLimitMs) return -1;
  // Each pause as long as the wait so far: a brief hold costs little, a long one few tries.
  const std::int64_t pause = std::clamp(held_ms, kFirstPauseMs, kLongestPauseMs);
  // The last try comes when the wait is over, not a pause beyond it.
  return static_cast<int>(
      std::min(pause, kHeldItemFileLimitMs - std::max<std::int64_t>(held_ms, 0)));
}

std::string HeldSecondsText(std::int64_t held_ms) {
  const std::int64_t tenths = std::max<std::int64_t>(held_ms, 0) / 100;
  return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

std::string HeldItemFileLine(std::int64_t held_ms) {
  return FormatText(kHeldItemFile, HeldSecondsText(held_ms));
}

std::string HeldTooLongLine(std::int64_t held_ms) {
  return FormatText(kHeldTooLong, HeldSecondsText(held_ms));
}
