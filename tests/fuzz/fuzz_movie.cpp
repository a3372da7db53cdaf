// libFuzzer target: any bytes given to the movie reader, and any movie it
// accepts played through with the shipped PowerPoint kit (movie/kit/,
// compiled in as the programs have it), must never crash nor leave the window
// without a slide to show. Built and run by scripts/fuzz.sh.
#include "tests/fuzz/fuzzinputs.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    if (const QString fault = pptdrill::fuzz::playMovieInput(bytes, pptdrill::KitCatalog::instance());
        !fault.isEmpty()) {
        std::fprintf(stderr, "fuzz_movie: %s\n", fault.toUtf8().constData());
        __builtin_trap();
    }
    return 0;
}
