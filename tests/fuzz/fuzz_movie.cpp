// libFuzzer target: any bytes given to the movie reader, and any movie it
// accepts played through in every accepted way, must never crash.
#include "movie/movie.h"
#include "movie/moviesession.h"
#include "tests/movie/testkit.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const pptdrill::KitCatalog kit = pptdrill::KitCatalog::parse(pptdrill::test::smallKitJson()).value();
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    auto movie = pptdrill::parseMovie(bytes);
    if (movie)
        pptdrill::verifyMovie(movie.value(), kit);
    return 0;
}
