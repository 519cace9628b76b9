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
