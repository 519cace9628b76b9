#pragma once
// Every text of the interface in both languages, as one table.

#include <string_view>

#include "image/Language.h"

namespace vorix {

enum class TextId {
    // Main window captions and grid headers.
    CommandClose,
    CommandCom,
    CommandRead,
    CommandWrite,
    CommandLoad,
    CommandSave,
    CommandLanguage,
    LabelSqDelay,
    LabelSQ,
    Label1,
    CheckSave,
    CheckBeep,
    CheckBusyLock,
    LabelOffsetWide,
    LabelOffsetNarrow,
    HeaderChannel,
    HeaderFrequency,
    HeaderTone,
    HeaderSpacing,
    HeaderPower,
    // Messages of the main window and the file flows.
    FrequencyOutOfRange,
    CoverCurrentData,
    UnknownError,
    OpenTitle,
    SaveTitle,
    FileFilterRadioData,
    FileFilterAll,
    FileCannotOpen,
    FileTooShort,
    FileCannotSave,
    FileMayBeIncomplete,
    // Programming dialog.
    DialogLabelPassword,
    DialogLabelNewPassword,
    DialogCommandWrite,
    DialogCommandRead,
    DialogCommandCancel,
    DialogCaptionRead,
    DialogCaptionWrite,
    DialogStartRead,
    DialogStartWrite,
    DialogCompleteZero,
    DialogComplete,
    ReadDataOk,
    WriteDataOk,
    ReselectComPort,
    CheckConnection,
    // Serial port dialog.
    PortDialogTitle,
    PortDialogLabel,
    PortDialogOk,
    PortDialogCancel,
    PortDialogNoPermission,
    // Titles.
    ApplicationTitle,
    // Editing: undo step names, questions and answers.
    StepEditFrequency,
    StepEditTone,
    StepEditSpacing,
    StepEditPower,
    StepChangeOption,
    StepLoad,
    StepRead,
    StepPaste,
    StepCut,
    StepClear,
    StepMoveUp,
    StepMoveDown,
    StepSort,
    UndoPrefix,
    RedoPrefix,
    SaveChanges,
    AnswerSave,
    AnswerDiscard,
    AnswerCancel,
    AnswerContinue,
    WriteUnreadImage,
    Count
};

/// The text of `id` in `language`.
std::string_view Text(TextId id, Language language);

} // namespace vorix
