#include "ui/ChannelCardPrinter.h"

#include <QBuffer>
#include <QFont>
#include <QLocale>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>

#include "editing/ChannelCard.h"
#include "ui/QtText.h"

namespace vorix {

namespace {

// 10 points: the seventeen table lines, eight option lines and the heading take about 18 cm of the
// page, with room to spare on A4 and Letter alike.
constexpr qreal kPointSize = 10;

// Every text is the user's or the image's: none is taken as markup.
QString cell(const char* tag, const std::string& text) {
    return QStringLiteral("<%1>%2</%1>").arg(QLatin1String(tag), q(text).toHtmlEscaped());
}

QString cardHtml(const ChannelCard& card) {
    QString html = QStringLiteral("<h2>%1</h2><p>%2<br>%3</p>")
                       .arg(q(card.title).toHtmlEscaped(), q(card.fileLine).toHtmlEscaped(),
                            q(card.dateLine).toHtmlEscaped());
    const QString table = QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"4\">");
    html += table + QStringLiteral("<tr>");
    for (const std::string& header : card.header)
        html += cell("th", header);
    html += QStringLiteral("</tr>");
    for (const TableRow& row : card.rows) {
        html += QStringLiteral("<tr>");
        for (const std::string& text : row)
            html += cell("td", text);
        html += QStringLiteral("</tr>");
    }
    html += QStringLiteral("</table><p>&nbsp;</p>") + table;
    for (const auto& [caption, text] : card.options)
        html += QStringLiteral("<tr>") + cell("td", caption) + cell("td", text) + QStringLiteral("</tr>");
    return html + QStringLiteral("</table>");
}

} // namespace

void PaintChannelCard(const ChannelCard& card, QPagedPaintDevice& device) {
    QTextDocument document;
    QFont font = document.defaultFont();
    font.setPointSizeF(kPointSize);
    // No ligatures: "Off" stays three letters that a search of the PDF or a copy of its text finds.
    font.setStyleStrategy(QFont::PreferNoShaping);
    document.setDefaultFont(font);
    document.setHtml(cardHtml(card));
    document.print(&device);
}

QByteArray ChannelCardPdf(const ChannelCard& card) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        const bool letter = QLocale().measurementSystem() == QLocale::ImperialUSSystem;
        writer.setPageSize(QPageSize(letter ? QPageSize::Letter : QPageSize::A4));
        writer.setTitle(q(card.title));
        writer.setCreator(QStringLiteral("Vorix"));
        PaintChannelCard(card, writer);
    } // the writer finishes the file when it goes
    return bytes;
}

} // namespace vorix
