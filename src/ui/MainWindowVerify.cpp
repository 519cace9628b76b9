#include "ui/MainWindow.h"

// Write and verify: the radio is read back after a write into an image of its own and compared
// with what was written, as vorix-cli write --verify compares them.

#include <QString>
#include <QStringList>

#include "editing/ImageDiff.h"
#include "image/RadioImage.h"
#include "ui/ListDialog.h"
#include "ui/QtText.h"

namespace vorix {

void MainWindow::onWriteAndVerifyClicked() {
    if (!writeToRadio() || !services_.readBack)
        return;
    // Every byte goes to the radio, the write mark included, so every byte must come back.
    const RadioImage written = state_.image;
    RadioImage held;
    const ReadBack outcome = services_.readBack(held);
    const auto status = [this](TextId id) {
        showStatus(q(Text(id, state_.language)).arg(state_.portNumber));
    };
    if (outcome != ReadBack::Done) {
        status(outcome == ReadBack::Cancelled ? TextId::StatusNotVerified : TextId::StatusVerifyFailed);
        return;
    }
    if (held == written) {
        status(TextId::StatusVerified);
        return;
    }
    status(TextId::StatusVerifyDiffers);
    const std::string diff = FormatImageDiff(DiffImages(state_, written, held), state_.language);
    OpenListDialog(this, QStringLiteral("WriteDifferences"),
                   q(Text(TextId::VerifyDifferencesTitle, state_.language)),
                   q(diff).split(QLatin1Char('\n'), Qt::SkipEmptyParts), true);
}

} // namespace vorix
