// Loading any file content into the tool: either nothing (the caller keeps its image as it was) or
// an image equal to the content's first 128 bytes; never a mix of the two.
//
// Input: byte 0 seeds the image the tool held before the load; the rest is the file's content.

#include <algorithm>
#include <cstdint>
#include <vector>

#include "FuzzCheck.h"
#include "image/RadioImage.h"
#include "store/RadioDataFile.h"

namespace {

using vorix::fuzz::Require;

vorix::ImageBytes heldImage(std::uint8_t seed) {
    vorix::ImageBytes bytes{};
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(seed ^ (i * 29));
    return bytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vorix::fuzz::FuzzInput input(data, size);
    const vorix::ImageBytes before = heldImage(input.takeByte());
    const auto rest = input.rest();
    const std::vector<unsigned char> content(rest.begin(), rest.end());

    vorix::RadioImage image(before);
    const vorix::LoadedImage loaded = vorix::ImageFromFileContent(content);
    if (loaded.ok())
        image.replaceAll(loaded.value());

    const bool longEnough = content.size() >= static_cast<std::size_t>(vorix::kImageSize);
    Require(loaded.ok() == longEnough, "an image comes exactly from a content of at least 128 bytes");
    if (longEnough)
        Require(std::equal(image.bytes().begin(), image.bytes().end(), content.begin()),
                "the loaded image equals the content's first 128 bytes");
    else
        Require(image.bytes() == before, "a short content leaves the held image as it was");
    return 0;
}
