#include "platform/QtRadioDataFile.h"

#include <QFile>
#include <QSaveFile>
#include <vector>

#include "store/RadioDataFile.h"

namespace vorix {

LoadedImage LoadRadioDataFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {std::nullopt, false, file.errorString()};
    // A data file is 128 bytes; reading a little more is enough to take the first 128 of a longer one.
    const QByteArray content = file.read(kImageSize);
    if (file.error() != QFileDevice::NoError)
        return {std::nullopt, false, file.errorString()};
    const std::vector<unsigned char> bytes(content.begin(), content.end());
    auto image = ImageFromFileContent(bytes);
    return {image, !image.has_value(), {}};
}

FileResult SaveRadioDataFile(const QString& path, const ImageBytes& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {false, file.errorString()};
    const auto written = file.write(reinterpret_cast<const char*>(bytes.data()), kImageSize);
    if (written != kImageSize) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return {false, reason};
    }
    if (!file.commit())
        return {false, file.errorString()};
    return {true, {}};
}

} // namespace vorix
