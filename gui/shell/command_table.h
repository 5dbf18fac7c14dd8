#pragma once
// Every command of the program: its number, menu text, key and tool tip.
#include <array>
#include <string_view>

namespace velk::gui {

enum class Command : int {
    New = 40001, Open = 40002, Save = 40003, Exit = 40004, Close = 40011,
    Edit = 40012, Add = 40013, Delete = 40014, Download = 40018, Settings = 40020, About = 40021,
    MoveUp = 40023, MoveDown = 40024, Move = 40028,
    MergeSdb = 40034, SdbInformation = 40035, ImportSatcoDx = 40036, Insert = 40037, ExpandCollapse = 40038,
    MergeSatcoDx = 40039, SortInformation = 40040, UndoSorting = 40042, DefaultValues = 40045, SaveAs = 40046,
    FactoryDefault = 40047, SwapInformation = 40048, Recent1 = 40051, Recent4 = 40054,
    UploadAdb = 40017, UploadSdb = 40060, Vantorup = 40059,
    ConsoleUpload = 40063, ConsoleSaveLog = 40064, ConsoleClear = 40065, ConsoleCancel = 40066, ConsoleClose = 40068,
    SingleImage = 40069, MultipleImage = 40070, UrtSettings = 40071,
    DetailedInformation = 40122, ChangeCarrier = 40123, Color = 40124,
    ImportDvb2000 = 40136, TextFile = 40262, MergeDvb2000 = 40263, MergeLyngsat = 40264, Compression = 40265,
    ImportLyngsat = 40266, ViewDecimal = 40270, ViewHex = 40271, ConsoleConnect = 40277,
    Bin2Urt = 40284, Contents = 40285,
    // Beyond the receiver's own commands: history, find and the service-list tools.
    Undo = 41001, Redo = 41002, Find = 41003, FindDuplicates = 41004, ApplyOrder = 41005, ExportCsv = 41006, ImportCsv = 41007,
    Recent2 = Recent1 + 1, Recent3 = Recent1 + 2,
};
namespace cmd {
using enum Command;
}  // namespace cmd

struct CommandInfo {
    Command id;
    std::string_view text;
    std::string_view key;  // Qt key sequence text, empty when none
    std::string_view tip;  // tool tip of the toolbar button, empty when none
};

inline constexpr std::array<CommandInfo, 62> kCommands{{
    {cmd::New, "&New", "Ctrl+N", "New"},
    {cmd::Open, "&Open", "Ctrl+O", "Open"},
    {cmd::Save, "&Save", "Ctrl+S", "Save"},
    {cmd::SaveAs, "Save &As", "", ""},
    {cmd::Close, "&Close", "", "Close"},
    {cmd::Exit, "E&xit", "", ""},
    {cmd::ImportSatcoDx, "&SatcoDX [ SDX ]", "", ""},
    {cmd::ImportDvb2000, "&DVB2000 [ DVB ]", "", ""},
    {cmd::ImportLyngsat, "&Lyngsat Dat [ DAT ]", "", ""},
    {cmd::Download, "Data from S&TB ( STB to PC )", "F8", "Data from STB ( STB to PC )"},
    {cmd::UploadAdb, "ADB Data  ( PC to STB )", "F6", "Transfer Data ( PC to STB )"},
    {cmd::UploadSdb, "SDB Data ( PC to STB )", "F7", ""},
    {cmd::TextFile, "&Text File", "Ctrl+E", "Export"},
    {cmd::MergeSatcoDx, "&SatcoDX [ SDX ]", "", ""},
    {cmd::MergeDvb2000, "&DVB2000 [ DVB ]", "", ""},
    {cmd::MergeLyngsat, "&Lyngsat Dat [ DAT ]", "", ""},
    {cmd::MergeSdb, "&SDB [ BIN ]", "", ""},
    {cmd::Compression, "&Compression", "Ctrl+P", "Compression"},
    {cmd::SingleImage, "&Single Image", "", ""},
    {cmd::MultipleImage, "&Multiple Image", "", ""},
    {cmd::Bin2Urt, "BIN2URT", "", ""},
    {cmd::UrtSettings, "URT &Settings", "", ""},
    {cmd::Vantorup, "&Vantorup", "Ctrl+W", "Vantorup"},
    {cmd::Settings, "&Settings", "Ctrl+T", "Setting"},
    {cmd::Color, "Co&lor", "Ctrl+L", ""},
    {cmd::DefaultValues, "&Default Values", "Ctrl+D", ""},
    {cmd::SdbInformation, "SDB &Information", "F12", "Information"},
    {cmd::SortInformation, "&Sort Infomation", "Ctrl+R", "Sort"},
    {cmd::UndoSorting, "&Undo Sorting", "Ctrl+Z", ""},
    {cmd::About, "&About Velk Editor", "", ""},
    {cmd::Contents, "&Contents", "", ""},
    {cmd::ConsoleConnect, "Connec&t", "F10", "Connect / Disconnect"},
    {cmd::ConsoleUpload, "&Upload", "F9", ""},
    {cmd::ConsoleSaveLog, "&Save Log File", "Ctrl+S", ""},
    {cmd::ConsoleClear, "C&lear", "", "Clear"},
    {cmd::ConsoleCancel, "Ca&ncel", "Esc", ""},
    {cmd::ConsoleClose, "&Close", "", ""},
    {cmd::Edit, "&Edit", "Return", ""},
    {cmd::Add, "&Add", "F2", ""},
    {cmd::Insert, "&Insert", "Ins", ""},
    {cmd::Delete, "Dele&te", "Del", ""},
    {cmd::Move, "&Move", "F3", ""},
    {cmd::MoveUp, "Move &Up", "<", ""},
    {cmd::MoveDown, "Move &Down", ">", ""},
    {cmd::SwapInformation, "&Swap Information", "F5", ""},
    {cmd::FactoryDefault, "&Factory Default", "F4", ""},
    {cmd::ExpandCollapse, "Expand/&Collapse (+/-)", "", "Expand & Collapse (+/-)"},
    {cmd::DetailedInformation, "Detailed Information", "Ctrl+I", ""},
    {cmd::ChangeCarrier, "Change Ca&rrier", "", ""},
    {cmd::ViewDecimal, "&Decimal", "", ""},
    {cmd::ViewHex, "&Hex", "", ""},
    // Undo's Ctrl+Z is dispatched by the frame, since Undo Sorting holds the same key.
    {cmd::Undo, "&Undo", "", ""},
    {cmd::Redo, "&Redo", "Ctrl+Shift+Z", ""},
    {cmd::Find, "&Find...", "Ctrl+F", ""},
    {cmd::FindDuplicates, "Find D&uplicates...", "", ""},
    {cmd::ApplyOrder, "Apply &Order From...", "", ""},
    {cmd::ExportCsv, "&CSV List...", "", ""},
    {cmd::ImportCsv, "&Import CSV List...", "", ""},
    {cmd::Recent1, "", "", ""},
    {cmd::Recent2, "", "", ""},
    {cmd::Recent3, "", "", ""},
    {cmd::Recent4, "", "", ""},
}};

const CommandInfo& InfoOf(Command id);

}  // namespace velk::gui
