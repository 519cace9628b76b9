#include "texts/InterfaceTexts.h"

#include <array>

namespace vorix {

namespace {

struct Entry {
    TextId id;
    std::string_view english;
    std::string_view chinese;
};

// Busy Lock and the two offset labels have no Chinese caption of their own: they keep the English
// one after a switch, like TOT and Beep, rather than a Chinese term nobody has settled on.
constexpr std::array kTexts = {
    Entry{TextId::CommandClose, "&Close", "关闭(&C)"},
    Entry{TextId::CommandCom, "COM&PORT", "端口选择(&P)"},
    Entry{TextId::CommandRead, "&Read", "读取(&R)"},
    Entry{TextId::CommandWrite, "&Write", "写入(&W)"},
    Entry{TextId::CommandLoad, "&Load", "载入(&L)"},
    Entry{TextId::CommandSave, "&Save", "保存(&S)"},
    Entry{TextId::CommandLanguage, "Show Chinese", "英文显示"},
    Entry{TextId::LabelSqDelay, "Sq Delay", "Sq延时下线"},
    Entry{TextId::LabelSQ, "SQL", "SQ等级"},
    Entry{TextId::Label1, "TOT", "TOT"},
    Entry{TextId::CheckSave, "Save", "省电"},
    Entry{TextId::CheckBeep, "Beep", "Beep"},
    Entry{TextId::CheckBusyLock, "Busy Lock", "Busy Lock"},
    Entry{TextId::LabelOffsetWide, "Offset(Wide)", "Offset(Wide)"},
    Entry{TextId::LabelOffsetNarrow, "Offset(Narrow)", "Offset(Narrow)"},
    Entry{TextId::HeaderChannel, "CH", "信道"},
    Entry{TextId::HeaderFrequency, "Frequency", "频率"},
    Entry{TextId::HeaderTone, "CTCSS/DCS", "亚音"},
    Entry{TextId::HeaderSpacing, "Channel Spacing", "宽/窄带"},
    Entry{TextId::HeaderPower, "Tx Power", "发射功率"},
    Entry{TextId::FrequencyOutOfRange, "Frequency is out of range!", "频率超出范围！"},
    Entry{TextId::CoverCurrentData, "Do you want to cover current data?", "覆盖当前数据？"},
    Entry{TextId::OpenTitle, "Open", "打开"},
    Entry{TextId::SaveTitle, "另存为", "另存为"},
    Entry{TextId::FileFilterRadioData, "Radio data file(*.rdat)", "对讲机数据文件(*.rdat)"},
    Entry{TextId::FileFilterAll, "All file(*.*)", "所有文件(*.*)"},
    Entry{TextId::FileCannotOpen, "Cannot read the file:", "无法读取文件："},
    Entry{TextId::FileTooShort, "The file is not a radio data file: it holds fewer than 128 bytes.",
          "该文件不是对讲机数据文件：不足128字节。"},
    Entry{TextId::FileCannotSave, "The file was not saved:", "文件未保存："},
    Entry{TextId::FileMayBeIncomplete,
          "The file may be incomplete: it could not be replaced as a whole, and writing it in place failed:",
          "文件可能不完整：无法整体替换，就地写入时失败："},
    Entry{TextId::FileNotDroppable, "Only radio data files (.rdat) can be opened by dropping them here:",
          "只能拖放对讲机数据文件(.rdat)到此处打开："},
    Entry{TextId::FileFilterCsv, "CSV file(*.csv)", "CSV文件(*.csv)"},
    Entry{TextId::ImportNotesTitle, "Values replaced or not used by the import", "导入时被替换或未采用的值"},
    Entry{TextId::DialogLabelPassword, "Password:", "密码:"},
    Entry{TextId::DialogLabelNewPassword, "New Password:", "新密码:"},
    Entry{TextId::DialogCommandWrite, "Write", "写入"},
    Entry{TextId::DialogCommandRead, "Read", "读取"},
    Entry{TextId::DialogCommandCancel, "&Cancel", "取消(&C)"},
    Entry{TextId::DialogCaptionRead, "Read data from radio", "从对讲机读取数据"},
    Entry{TextId::DialogCaptionWrite, "Write data from radio", "向对讲机写入数据"},
    Entry{TextId::DialogStartRead, "Read data from radio", "从对讲机读取数据"},
    Entry{TextId::DialogStartWrite, "Write data into radio", "往对讲机写入数据"},
    Entry{TextId::DialogCompleteZero, "Complete:0%", "完成进度:0%"},
    Entry{TextId::DialogComplete, "Complete:", "完成进度:"},
    Entry{TextId::ReadDataOk, "Read Data OK", "读频成功"},
    Entry{TextId::WriteDataOk, "Write Data OK", "写频成功"},
    Entry{TextId::ReselectComPort, "Please reselect COM port!", "请重新选择端口！"},
    Entry{TextId::CheckConnection, "Check connection!Retry or cancel?", "检测连接！重试或取消？"},
    Entry{TextId::PortDialogTitle, "Set COM", "串口设置"},
    Entry{TextId::PortDialogLabel, "Comm Port", "串口"},
    Entry{TextId::PortDialogOk, "&OK", "确定(&O)"},
    Entry{TextId::PortDialogCancel, "&Cancel", "取消(&C)"},
    Entry{TextId::PortDialogNoPermission,
          "Serial devices exist but this account may not open them: add it to the dialout group "
          "(sudo usermod -aG dialout $USER) and log in again.",
          "存在串口设备但当前账户无权打开：请将账户加入 dialout 组（sudo usermod -aG dialout "
          "$USER）后重新登录。"},
    Entry{TextId::PortOnTheBoard, "serial port on the board", "主板串口"},
    Entry{TextId::PortUsbAdapter, "USB serial adapter", "USB 串口适配器"},
    Entry{TextId::PortDialogTestConnection, "&Test connection", "测试连接(&T)"},
    Entry{TextId::ConnectionAnswers, "The radio answers on ", "对讲机已应答，端口 "},
    Entry{TextId::ConnectionNoAnswer, "No answer from the radio on ", "对讲机无应答，端口 "},
    Entry{TextId::ConnectionWrongAnswer, "The radio gives a wrong answer on ", "对讲机应答错误，端口 "},
    Entry{TextId::ConnectionPortDoesNotOpen, "The port does not open: ", "端口无法打开："},
    Entry{TextId::ConnectionTesting, "Testing the connection on ", "正在测试连接，端口 "},
    Entry{TextId::ApplicationTitle, "Vorix", "Vorix"},
    Entry{TextId::StepEditFrequency, "Edit frequency of channel %1", "编辑信道%1的频率"},
    Entry{TextId::StepEditTone, "Edit tone of channel %1", "编辑信道%1的亚音"},
    Entry{TextId::StepEditSpacing, "Edit spacing of channel %1", "编辑信道%1的带宽"},
    Entry{TextId::StepEditPower, "Edit power of channel %1", "编辑信道%1的功率"},
    Entry{TextId::StepChangeOption, "Change %1", "更改%1"},
    Entry{TextId::StepLoad, "Load %1", "载入%1"},
    Entry{TextId::StepImportCsv, "Import %1", "导入%1"},
    Entry{TextId::StepRead, "Read from radio", "从对讲机读取"},
    Entry{TextId::StepPaste, "Paste channels", "粘贴信道"},
    Entry{TextId::StepCut, "Cut channels", "剪切信道"},
    Entry{TextId::StepClear, "Clear channels", "清除信道"},
    Entry{TextId::StepMoveUp, "Move channels up", "上移信道"},
    Entry{TextId::StepMoveDown, "Move channels down", "下移信道"},
    Entry{TextId::StepSort, "Sort channels by frequency", "按频率排序信道"},
    Entry{TextId::SaveChanges, "Save changes?", "保存更改？"},
    Entry{TextId::AnswerSave, "&Save", "保存(&S)"},
    Entry{TextId::AnswerDiscard, "&Discard", "不保存(&D)"},
    Entry{TextId::AnswerCancel, "&Cancel", "取消(&C)"},
    Entry{TextId::AnswerContinue, "C&ontinue", "继续(&O)"},
    Entry{TextId::WriteUnreadImage,
          "This data was neither read from a radio nor loaded from a file. Writing it replaces every channel "
          "and option of the radio with what this window shows (at start-up all channels are empty).",
          "当前数据既不是从对讲机读取的，也不是从文件载入的。写入后对讲机的所有信道和选项都将被本窗口显示的内"
          "容替换（启动时所有信道均为空）。"},
    Entry{TextId::MenuFile, "&File", "文件(&F)"},
    Entry{TextId::MenuEdit, "&Edit", "编辑(&E)"},
    Entry{TextId::MenuRadio, "R&adio", "对讲机(&A)"},
    Entry{TextId::MenuView, "&View", "视图(&V)"},
    Entry{TextId::MenuHelp, "&Help", "帮助(&H)"},
    Entry{TextId::MenuLanguage, "&Language", "语言(&L)"},
    Entry{TextId::ActionOpen, "&Open…", "打开(&O)…"},
    Entry{TextId::ActionSave, "&Save", "保存(&S)"},
    Entry{TextId::ActionSaveAs, "Save &As…", "另存为(&A)…"},
    Entry{TextId::ActionExportCsv, "&Export CSV…", "导出CSV(&E)…"},
    Entry{TextId::ActionImportCsv, "&Import CSV…", "导入CSV(&I)…"},
    Entry{TextId::ActionQuit, "&Quit", "退出(&Q)"},
    Entry{TextId::ActionUndo, "&Undo", "撤销(&U)"},
    Entry{TextId::ActionRedo, "&Redo", "重做(&R)"},
    Entry{TextId::ActionCut, "Cu&t", "剪切(&T)"},
    Entry{TextId::ActionCopy, "&Copy", "复制(&C)"},
    Entry{TextId::ActionPaste, "&Paste", "粘贴(&P)"},
    Entry{TextId::ActionClearChannels, "C&lear channels", "清除信道(&L)"},
    Entry{TextId::ActionMoveUp, "Move channel &up", "上移信道(&U)"},
    Entry{TextId::ActionMoveDown, "Move channel &down", "下移信道(&D)"},
    Entry{TextId::ActionSort, "S&ort channels by frequency", "按频率排序信道(&O)"},
    Entry{TextId::ActionSelectAll, "Select &all", "全选(&A)"},
    Entry{TextId::ActionRead, "&Read", "读取(&R)"},
    Entry{TextId::ActionWrite, "&Write", "写入(&W)"},
    Entry{TextId::ActionWriteVerify, "Write and &verify", "写入并校验(&V)"},
    Entry{TextId::ActionPort, "&Port…", "端口选择(&P)…"},
    Entry{TextId::ActionBackups, "Open &backups folder", "打开备份文件夹(&B)"},
    Entry{TextId::ActionGuide, "&Using Vorix", "使用说明(&U)"},
    Entry{TextId::ActionAbout, "&About Vorix", "关于 Vorix(&A)"},
    Entry{TextId::GuideText,
          "Click a cell to edit it; Enter or leaving the cell stores the value, Esc cancels. Click the "
          "channel numbers to select rows (Shift or Ctrl for more): Copy, Cut, Paste, Delete (clear), "
          "Ctrl+Up/Down (move) and Sort work on them. Paste takes rows copied from this window or a "
          "spreadsheet. Undo and Redo take back any change of the data. Read and Write talk to the radio "
          "over the port chosen with Port….",
          "单击单元格进行编辑；按回车或离开单元格保存数值，按 Esc 取消。单击信道号选择行（按住 Shift 或 Ctrl "
          "多选）：复制、剪切、粘贴、Delete（清除）、Ctrl+上/"
          "下（移动）和排序作用于所选行。粘贴可接受从本窗口或电子表格复制的行。撤销和重做可撤回任何数据更改。"
          "读取和写入通过“端口选择”所选端口与对讲机通信。"},
    Entry{TextId::AboutText, "Vorix %1\nQt %2\nLicence: GPL-3.0-or-later",
          "Vorix %1\nQt %2\n许可证：GPL-3.0-or-later"},
    Entry{TextId::StatusRead, "Read OK", "读频成功"},
    Entry{TextId::StatusWritten, "Written to COM%1", "已写入 COM%1"},
    Entry{TextId::StatusVerified, "Written to COM%1 and verified: the radio holds what was written",
          "已写入 COM%1 并已校验：对讲机中的数据与写入的一致"},
    Entry{TextId::StatusNotVerified, "Written to COM%1; the read-back was cancelled: not verified",
          "已写入 COM%1；回读已取消：未校验"},
    Entry{TextId::StatusVerifyFailed, "Written to COM%1, but reading it back failed: not verified",
          "已写入 COM%1，但回读失败：未校验"},
    Entry{TextId::StatusVerifyDiffers, "COM%1 does not hold what was written",
          "COM%1 中的数据与写入的不一致"},
    Entry{TextId::VerifyDifferencesTitle, "Differences: written, then read back",
          "差异：写入的数据，然后是回读的数据"},
    Entry{TextId::StatusSaved, "Saved %1", "已保存 %1"},
    Entry{TextId::StatusExported, "Exported the table to %1", "已导出表格到 %1"},
    Entry{TextId::StatusLoaded, "Loaded %1", "已载入 %1"},
    Entry{TextId::StatusPasteReplaced, "%1 values replaced while pasting", "粘贴时替换了 %1 个值"},
    Entry{TextId::StatusRowsLeftOut, "%1 rows past channel 16 left out", "超出信道 16 的 %1 行未粘贴"},
    Entry{TextId::StatusNothingPasted, "The clipboard holds no channel rows", "剪贴板中没有信道行"},
    Entry{TextId::ActionOpenRecent, "Open &Recent", "最近打开(&R)"},
    Entry{TextId::StatusRecentMissing, "%1 no longer exists and was removed from the recent files",
          "%1 已不存在，已从最近文件中移除"},
    Entry{TextId::StatusReadBackup, "Read OK \u2014 backup saved to %1", "读频成功 \u2014 备份已保存到 %1"},
    Entry{TextId::ActionPrint, "&Print…", "打印(&P)…"},
    Entry{TextId::ActionExportPdf, "Export P&DF…", "导出PDF(&D)…"},
    Entry{TextId::FileFilterPdf, "PDF file(*.pdf)", "PDF文件(*.pdf)"},
    Entry{TextId::StatusExportedPdf, "Exported the channel card to %1", "已导出信道卡到 %1"},
    Entry{TextId::CardTitle, "Channel card", "信道卡"},
    Entry{TextId::CardFile, "File: %1", "文件：%1"},
    Entry{TextId::CardDate, "Date: %1", "日期：%1"},
    Entry{TextId::CardNotSaved, "(not saved)", "（未保存）"},
};

constexpr bool tableIsComplete() {
    if (kTexts.size() != static_cast<std::size_t>(TextId::Count))
        return false;
    for (std::size_t i = 0; i < kTexts.size(); ++i)
        if (static_cast<std::size_t>(kTexts[i].id) != i)
            return false;
    return true;
}
static_assert(tableIsComplete(), "one entry per TextId, in enum order");

} // namespace

std::string_view Text(TextId id, Language language) {
    const Entry& entry = kTexts[static_cast<std::size_t>(id)];
    return language == Language::English ? entry.english : entry.chinese;
}

} // namespace vorix
