#include "database/move_dialogs.h"

#include "common/c_number.h"
#include "common/format.h"

namespace velk {

MoveDialogText MoveDialogTexts(MoveLevel level, bool swap, std::uint32_t source)
{
    const char* name = level == MoveLevel::Satellite ? "Satellite" : "Carrier";
    const char* lower = level == MoveLevel::Satellite ? "satellite" : "carrier";
    if (swap)
        return {Format("Swap %s Information", name), Format("Swap %s Information \"%u\" with ", name, source),
                Format("Click to swap %s record.", lower)};
    return {Format("Move %s Information", name), Format("Move %s Information from \"%u\" to ", name, source),
            Format("Click to move %s record.", lower)};
}

std::optional<std::uint32_t> CheckMoveTarget(Ui& ui, std::string_view typed, std::uint32_t source, std::uint32_t bound)
{
    const auto b = ParseDecimal(typed);
    if (b > bound) {
        ShowWarning(ui, Format("Record Index should not exceed %u", bound));
        return std::nullopt;
    }
    if (b <= 0 || b == source) {
        ShowWarning(ui, "Invalid Index for current process");
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(b);
}

std::optional<std::uint32_t> CheckServiceMoveTarget(Ui& ui, std::string_view typed, std::uint32_t firstSelectedRow, std::uint32_t rowCount)
{
    const auto t = ParseDecimal(typed);
    if (t <= 0) {
        ShowWarning(ui, "Enter valid index value");
        return std::nullopt;
    }
    if (t == firstSelectedRow) {
        ShowWarning(ui, "Invalid Index for Move Information. ");
        return std::nullopt;
    }
    if (t > rowCount) {
        ShowWarning(ui, Format("Move Index should be Less than Service count ( %u )", rowCount + 1));
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(t);
}

bool CheckConsecutiveRows(Ui& ui, std::span<const std::uint32_t> rows)
{
    for (std::size_t i = 1; i < rows.size(); ++i) {
        if (rows[i] != rows[i - 1] + 1) {
            ShowWarning(ui, "Please select the sequence of item to Move");
            return false;
        }
    }
    return true;
}

}  // namespace velk
