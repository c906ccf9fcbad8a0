#pragma once

#include <stdint.h>

// The compressor library, loaded by the program at run time. Output buffers belong to the library
// and go back through FreeBuf. Both functions return 0 and set the output on success; on failure
// (bad arguments, corrupt or foreign input, a size beyond the library's limit) they return
// non-zero and leave the output null and its length 0.
extern "C" {
int KelCompress(const void* input, int32_t inputLength, void** output, int32_t* outputLength);
int KelDecompress(const void* input, int32_t inputLength, void** output, int32_t* outputLength);
void FreeBuf(void* buffer);
}

namespace kelcomp {
using CompressFunction = int (*)(const void*, int32_t, void**, int32_t*);
using FreeFunction = void (*)(void*);
// The largest output KelDecompress produces: 256 MiB.
constexpr int32_t MaxOutputLength = 256 << 20;
} // namespace kelcomp
