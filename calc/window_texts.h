// The texts of the window's menus, dialogs and questions, for the desktop
// window and the web page alike: each is written here once, and the page
// generator hands them to the page.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace rampwall {

struct MenuText {
    std::string_view name;    // "FileMenu": the menu's objectName, the page element's id
    std::string_view caption; // "文件"
    char mnemonic;            // 'F': Alt+F opens it; shown "文件(&F)" on the desktop, "文件(F)" in the page
};

inline constexpr std::array<MenuText, 5> kMenus = {{
    {"FileMenu", "文件", 'F'},
    {"CodeMenu", "规范", 'G'},
    {"OptionsMenu", "选项", 'O'},
    {"ToolsMenu", "工具", 'T'},
    {"HelpMenu", "帮助", 'H'},
}};

struct CommandText {
    std::string_view name;     // "actionNew": the action's objectName, the page element's id
    std::string_view menu;     // the menu it is in
    std::string_view caption;  // "打开"
    char mnemonic;             // 'O'
    bool asksMore;             // a dialog follows: the caption ends in "…"
    std::string_view shortcut; // "Ctrl+O", as QKeySequence reads it; on a Mac Ctrl is Cmd
};

inline constexpr std::array<CommandText, 15> kCommands = {{
    {"actionNew", "FileMenu", "新建", 'N', false, "Ctrl+N"},
    {"actionOpen", "FileMenu", "打开", 'O', true, "Ctrl+O"},
    {"actionSave", "FileMenu", "保存", 'S', false, "Ctrl+S"},
    {"actionSaveAs", "FileMenu", "另存为", 'A', true, "Ctrl+Shift+S"},
    {"actionProjectInfo", "FileMenu", "工程信息", 'I', true, ""},
    {"actionExportBook", "FileMenu", "导出计算书(PDF)", 'E', true, "Ctrl+E"},
    {"actionPrintBook", "FileMenu", "打印", 'P', true, "Ctrl+P"},
    {"actionPrintPreview", "FileMenu", "打印预览", 'V', true, ""},
    {"RecentMenu", "FileMenu", "最近打开的设计", 'R', false, ""},
    {"actionExit", "FileMenu", "退出", 'X', false, "Ctrl+Q"},
    {"actionLoadFactors", "CodeMenu", "荷载系数", 'F', true, ""},
    {"actionMusic", "OptionsMenu", "背景音乐", 'M', false, ""},
    {"actionRamp", "ToolsMenu", "坡道分段配筋", 'R', true, ""},
    {"actionHelp", "HelpMenu", "使用说明", 'U', false, "F1"},
    {"actionAbout", "HelpMenu", "关于", 'A', false, ""},
}};

// The 规范 menu lists every edition before 荷载系数: "actionEdition" + its
// key, captioned with its title.
inline std::string editionActionName(std::string_view key) { return "actionEdition" + std::string(key); }

// The command of that name; the first row when there is none (a caller's
// mistake the tests catch).
constexpr const CommandText& commandText(std::string_view name) {
    for (const CommandText& command : kCommands) {
        if (command.name == name) {
            return command;
        }
    }
    return kCommands.front();
}

// "打开(&O)…" for the desktop's menus; the page writes "打开(O)…".
inline std::string menuCaption(std::string_view caption, char mnemonic, bool asksMore, bool ampersand) {
    std::string text(caption);
    if (mnemonic != 0) {
        text += ampersand ? "(&" : "(";
        text += mnemonic;
        text += ")";
    }
    if (asksMore) {
        text += "…";
    }
    return text;
}

// Buttons.
inline constexpr std::string_view kOkButton = "确定";
inline constexpr std::string_view kCancelButton = "取消";
inline constexpr std::string_view kSaveButton = "保存";
inline constexpr std::string_view kDiscardButton = "不保存";

// The question before a changed design is dropped, with the buttons above.
inline std::string saveQuestion(std::string_view fileName) {
    return fileName.empty() ? std::string("当前设计已经修改，要保存吗？")
                            : "设计“" + std::string(fileName) + "”已经修改，要保存吗？";
}

// Dialog titles and the file pickers' words.
inline constexpr std::string_view kProjectInfoTitle = "工程信息";
inline constexpr std::string_view kLoadFactorsTitle = "荷载系数";
inline constexpr std::string_view kOpenDesignTitle = "打开设计";
inline constexpr std::string_view kSaveDesignTitle = "保存设计";
inline constexpr std::string_view kExportBookTitle = "导出计算书";
inline constexpr std::string_view kPrintPreviewTitle = "打印预览";
inline constexpr std::string_view kExportTableTitle = "导出表格";
inline constexpr std::string_view kWorkbookFileKind = "Excel 工作簿";
inline constexpr std::string_view kDesignFileKind = "坡道外墙设计";
inline constexpr std::string_view kPdfFileKind = "PDF 文件";
inline constexpr std::string_view kAllFilesKind = "所有文件";
inline constexpr std::string_view kUntitled = "未命名";
inline constexpr std::string_view kNoRecentDesigns = "（无）";

// The ramp dialog: its title, the captions of its inputs and buttons, and
// the schedule's columns as its table and the page's show them.
inline constexpr std::string_view kRampTitle = "坡道分段配筋";
struct RampBox {
    std::string_view name;    // "RampLength": the box's objectName, the page element's id
    std::string_view caption; // "坡道长度 L(m)"
    std::string_view tip;     // what the box takes, shown on hover
};
inline constexpr std::array<RampBox, 5> kRampBoxes = {{
    {"RampLength", "坡道长度 L(m)", "坡道自上端至下端的水平长度"},
    {"RampH4Start", "上端底板标高(m)", "坡道上端的墙底标高；空着取土面标高 h2"},
    {"RampSegmentLength", "分段长度(m)", "每段的长度，末段可能较短；填了分段数时不用"},
    {"RampSegmentCount", "或分段数", "等分的段数；空着按分段长度分段"},
    {"RampSpacings", "可选钢筋间距(mm)", "用逗号分开，如 100,125,150,200；空着取主窗口的钢筋间距"},
}};
struct RampButton {
    std::string_view name;
    std::string_view caption;
};
inline constexpr std::array<RampButton, 5> kRampButtons = {{
    {"RampCompute", "计算"},
    {"RampExportBook", "导出计算书(PDF)…"},
    {"RampPrint", "打印…"},
    {"RampExportTable", "导出表格…"},
    {"RampClose", "关闭"},
}};
// The page has no workbook and no PDF yet: the schedule downloads as CSV.
inline constexpr std::string_view kRampCsvButton = "下载表格(CSV)";
inline constexpr std::array<std::string_view, 11> kRampTableHeaders = {
    "段号", "桩号(m)", "h4(m)", "情况", "MBk(kN·m/m)", "配筋", "As(mm²/m)", "wmax(mm)", "结论", "kg/m", "kg",
};
inline constexpr std::string_view kRampLowerEnd = "（取主窗口的 h4；其余数据也取自主窗口，情况逐段确定）";

// What the factors dialog says of an edition's factors.
inline std::string factorsNote(std::string_view editionTitle, std::string_view note) {
    return "只用于" + std::string(editionTitle) + "：" + std::string(note);
}

// The About box: program, version, what it does, licence, and the toolkit
// that draws it (the page names the browser's instead).
inline std::string aboutTitle(std::string_view windowTitle) { return "关于" + std::string(windowTitle); }
inline std::string aboutText(std::string_view windowTitle, std::string_view version, std::string_view credit,
                             std::string_view toolkit) {
    return std::string(windowTitle) + "\n版本 " + std::string(version) + "\n\n" + std::string(credit) +
           "\n\n许可证：MIT\n" + std::string(toolkit);
}

} // namespace rampwall
