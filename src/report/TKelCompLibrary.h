#pragma once

#include "kelcomp/KelComp.h"

#include <QByteArray>
#include <QLibrary>

namespace quillo {

// The compressor library and its three entry points. The program loads it once at start from its
// own folder; a missing library is reported at the first use.
class TKelCompLibrary {
public:
    struct TEntries {
        kelcomp::CompressFunction compress = nullptr;
        kelcomp::CompressFunction decompress = nullptr;
        kelcomp::FreeFunction freeBuf = nullptr;
    };

    // Absent until Load succeeds.
    TKelCompLibrary() = default;
    // Entry points given directly (a library linked in, or a test's own).
    explicit TKelCompLibrary(const TEntries& entries) { m_entries = entries; }
    ~TKelCompLibrary();
    TKelCompLibrary(const TKelCompLibrary&) = delete;
    TKelCompLibrary& operator=(const TKelCompLibrary&) = delete;

    // Loads the library by path and base name ("dir/kelcomp"); false when it or an entry point is missing.
    bool Load(const QString& baseName);
    bool IsLoaded() const { return m_entries.compress && m_entries.decompress && m_entries.freeBuf; }

    // Raise "Compressor library KelComp.dll not found" without the library, and an error for input
    // the library refuses (damaged data, sizes beyond its limit).
    QByteArray Compress(QByteArrayView input) const;
    QByteArray Decompress(QByteArrayView input) const;

    // The program's library, loaded by LoadProgramLibrary.
    static TKelCompLibrary& Program();
    // Loads the program's library from the folder of the running program.
    static bool LoadProgramLibrary();

private:
    QByteArray Run(kelcomp::CompressFunction function, QByteArrayView input) const;

    QLibrary m_library;
    TEntries m_entries;
};

} // namespace quillo
