// How a run of the calculation ends early: a message for the user, then
// nothing more is computed or written. Thrown by any stage, caught once by
// COMPUTE, which shows the message.
#pragma once

#include "calc/controls.h"
#include "calc/window_ops.h"

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace rampwall {

// A box the run still writes once its message has been closed. The text is
// one of the program's fixed texts, so the stop stays cheap to copy.
struct WriteAfterMessage {
    Control box;
    std::string_view text;
};

class CalculationStop : public std::runtime_error {
public:
    explicit CalculationStop(const std::string& message, std::optional<WriteAfterMessage> after = std::nullopt)
        : std::runtime_error(message), m_after(after) {}

    const std::optional<WriteAfterMessage>& writeAfterMessage() const noexcept { return m_after; }

private:
    std::optional<WriteAfterMessage> m_after;
};

// Shows the stop's message through the window, then writes the box the stop
// still writes.
void presentStop(WindowOps& window, const CalculationStop& stop);

// The title of every message of the calculation.
inline constexpr std::string_view kNoticeTitle = "友情提示:";

inline constexpr std::string_view kElevationMessage = "输入标高与实际情况不符，请重新输入";
inline constexpr std::string_view kMomentTooLargeMessage = "所受弯矩过大，请增加外墙厚度";
inline constexpr std::string_view kNoBarMessage = "算不出来，请增加外墙厚度，或采取其他措施";

// The elevations contradict the chosen load case.
[[noreturn]] void stopElevations();
// No bar of the table carries the area at this spacing: once the message is
// closed the bar box says "太大了", and the run ends there.
[[noreturn]] void stopNoBar();
// “墙厚度h5(mm)”不是有效的数字，请重新输入
[[noreturn]] void stopNotANumber(Control box);
// The cover must be thinner than the wall, or there is no effective depth.
[[noreturn]] void stopCoverNotThinner();
// A box whose value must be greater than zero.
[[noreturn]] void stopNotPositive(Control box);
// The characteristic or design moment is zero or negative.
[[noreturn]] void stopMomentNotPositive();
// The crack loop raised the bar beyond any sensible size without meeting the limit.
[[noreturn]] void stopCrackLimitUnreachable(int diameterLimit);
// A division by zero in the formula of `quantity`.
[[noreturn]] void stopDivisionByZero(std::string_view quantity);
// A result that is not finite, or beyond the 32-bit range where it is narrowed.
[[noreturn]] void stopOutOfRange(std::string_view quantity);

// The 2010 edition. 1 − 2·αs is not above zero: no ξ exists.
[[noreturn]] void stopAlphaSTooLarge(double alphaS);
// ξ beyond the balanced ξb: the tension steel would not yield.
[[noreturn]] void stopXiBeyondBalanced(double xi, double xiB);
// Mk, M or Mq is zero or negative.
[[noreturn]] void stopMomentNotPositive2010();
// A list of the form has no entry selected.
[[noreturn]] void stopNothingSelected(Control list);
// The cover and half the bar reach through the wall: no effective depth.
[[noreturn]] void stopNoEffectiveDepth(int diameter);
// No arrangement up to the largest bar carries the moment, or meets the
// crack width, at the spacing.
[[noreturn]] void stopNoArrangementForStrength(int largest, std::string_view spacing);
[[noreturn]] void stopNoArrangementForCrackWidth(int largest, std::string_view spacing, std::string_view limit);

} // namespace rampwall
