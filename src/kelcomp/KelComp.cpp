// Compressed form: the uncompressed length (4 bytes, little endian), then a zlib stream of the bytes.
#include "KelComp.h"

#include <zlib.h>

#include <cstdlib>
#include <cstring>

namespace {

constexpr int32_t HeaderLength = 4;
// deflate never packs more than about 1032 bytes into one; a larger claim is not our output.
constexpr int64_t MaxRatio = 1100;

int Fail(void** output, int32_t* outputLength)
{
    if (output)
        *output = nullptr;
    if (outputLength)
        *outputLength = 0;
    return 1;
}

} // namespace

extern "C" {

__attribute__((visibility("default"))) int KelCompress(
    const void* input, int32_t inputLength, void** output, int32_t* outputLength)
{
    if (!output || !outputLength || inputLength < 0 || (inputLength > 0 && !input))
        return Fail(output, outputLength);
    const uLong bound = compressBound(uLong(inputLength));
    if (bound > uLong(INT32_MAX - HeaderLength))
        return Fail(output, outputLength);
    auto* buffer = static_cast<unsigned char*>(std::malloc(size_t(bound) + HeaderLength));
    if (!buffer)
        return Fail(output, outputLength);
    const auto length = uint32_t(inputLength);
    for (int i = 0; i < HeaderLength; ++i)
        buffer[i] = static_cast<unsigned char>(length >> (8 * i));
    uLongf packed = bound;
    if (compress2(buffer + HeaderLength, &packed, static_cast<const Bytef*>(input), uLong(inputLength), 9) != Z_OK) {
        std::free(buffer);
        return Fail(output, outputLength);
    }
    *output = buffer;
    *outputLength = int32_t(packed) + HeaderLength;
    return 0;
}

__attribute__((visibility("default"))) int KelDecompress(
    const void* input, int32_t inputLength, void** output, int32_t* outputLength)
{
    if (!output || !outputLength || inputLength < HeaderLength || !input)
        return Fail(output, outputLength);
    const auto* bytes = static_cast<const unsigned char*>(input);
    uint32_t length = 0;
    for (int i = 0; i < HeaderLength; ++i)
        length |= uint32_t(bytes[i]) << (8 * i);
    // Refused before anything is allocated.
    if (length > uint32_t(kelcomp::MaxOutputLength) || int64_t(length) > int64_t(inputLength) * MaxRatio)
        return Fail(output, outputLength);
    auto* buffer = static_cast<unsigned char*>(std::malloc(length > 0 ? length : 1));
    if (!buffer)
        return Fail(output, outputLength);
    z_stream stream;
    std::memset(&stream, 0, sizeof stream);
    if (inflateInit(&stream) != Z_OK) {
        std::free(buffer);
        return Fail(output, outputLength);
    }
    stream.next_in = const_cast<Bytef*>(bytes + HeaderLength);
    stream.avail_in = uInt(inputLength - HeaderLength);
    stream.next_out = buffer;
    stream.avail_out = length;
    const int result = inflate(&stream, Z_FINISH);
    const bool complete = result == Z_STREAM_END && stream.total_out == length && stream.avail_in == 0;
    inflateEnd(&stream);
    if (!complete) {
        std::free(buffer);
        return Fail(output, outputLength);
    }
    *output = buffer;
    *outputLength = int32_t(length);
    return 0;
}

__attribute__((visibility("default"))) void FreeBuf(void* buffer) { std::free(buffer); }
}
