#pragma once
// The channel card on paper: one page with the lines above the table, the channels in use and the
// options, painted on a printer or into a PDF.

#include <QByteArray>

class QPagedPaintDevice;

namespace vorix {

struct ChannelCard;

/// Paints the card on the first page of device. The type is sized so that sixteen channels and the
/// eight options fit one A4 or Letter page.
void PaintChannelCard(const ChannelCard& card, QPagedPaintDevice& device);

/// The card as the bytes of a one-page PDF, on Letter paper where the user's measures are American
/// and on A4 elsewhere.
QByteArray ChannelCardPdf(const ChannelCard& card);

} // namespace vorix
