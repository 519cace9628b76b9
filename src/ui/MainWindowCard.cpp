#include "ui/MainWindow.h"

// The main window's channel card: File > Print… shows it in a print preview, File > Export PDF…
// writes it as a PDF through the same checked write as Save.

#include <QDate>
#include <QFileInfo>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "editing/ChannelCard.h"
#include "ui/ChannelCardPrinter.h"
#include "ui/QtText.h"

namespace vorix {

ChannelCard MainWindow::channelCard() const {
    const std::string fileName =
        filePath_.empty() ? std::string() : QFileInfo(q(filePath_)).fileName().toStdString();
    // The ISO form reads the same in both languages and in every number format.
    return BuildChannelCard(state_, fileName, QDate::currentDate().toString(Qt::ISODate).toStdString());
}

void MainWindow::printCard() {
    commitOpenEdit();
    const ChannelCard card = channelCard();
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(q(card.title));
    QPrintPreviewDialog preview(&printer, this);
    preview.setObjectName(QStringLiteral("PrintPreview"));
    preview.setWindowTitle(withoutMnemonic(q(Text(TextId::ActionPrint, state_.language))));
    preview.setAccessibleName(preview.windowTitle());
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [&card](QPrinter* target) { PaintChannelCard(card, *target); });
    preview.exec();
}

void MainWindow::exportPdf() {
    commitOpenEdit();
    const std::string suggested =
        filePath_.empty() ? std::string() : QFileInfo(q(filePath_)).completeBaseName().toStdString() + ".pdf";
    const std::string path =
        chooseTypedFile("Save", TextId::ActionExportPdf, TextId::FileFilterPdf, "pdf", suggested);
    if (path.empty())
        return;
    // Rendered in memory first: a disk that fails takes the checked write's path, and the old file stays.
    const QByteArray pdf = ChannelCardPdf(channelCard());
    if (writeChecked(path, {reinterpret_cast<const unsigned char*>(pdf.constData()),
                            static_cast<std::size_t>(pdf.size())}))
        showStatus(q(Text(TextId::StatusExportedPdf, state_.language)).arg(q(path)));
}

} // namespace vorix
