#include "report/TKelCompLibrary.h"

#include "tree/EKelError.h"

#include <QCoreApplication>

#include <limits>
#include <memory>

namespace quillo {

TKelCompLibrary::~TKelCompLibrary()
{
    if (m_library.isLoaded())
        m_library.unload();
}

bool TKelCompLibrary::Load(const QString& baseName)
{
    if (m_library.isLoaded())
        m_library.unload();
    m_entries = {};
    m_library.setFileName(baseName);
    if (!m_library.load())
        return false;
    TEntries entries;
    entries.compress = reinterpret_cast<kelcomp::CompressFunction>(m_library.resolve("KelCompress"));
    entries.decompress = reinterpret_cast<kelcomp::CompressFunction>(m_library.resolve("KelDecompress"));
    entries.freeBuf = reinterpret_cast<kelcomp::FreeFunction>(m_library.resolve("FreeBuf"));
    if (!entries.compress || !entries.decompress || !entries.freeBuf) {
        m_library.unload();
        return false;
    }
    m_entries = entries;
    return true;
}

QByteArray TKelCompLibrary::Compress(QByteArrayView input) const { return Run(m_entries.compress, input); }

QByteArray TKelCompLibrary::Decompress(QByteArrayView input) const { return Run(m_entries.decompress, input); }

QByteArray TKelCompLibrary::Run(kelcomp::CompressFunction function, QByteArrayView input) const
{
    if (!IsLoaded())
        throw EKelError("Compressor library KelComp.dll not found");
    if (input.size() > std::numeric_limits<int32_t>::max())
        throw EKelError("Bitmap data too large");
    void* output = nullptr;
    int32_t outputLength = 0;
    const int result = function(input.data(), int32_t(input.size()), &output, &outputLength);
    // Released exactly once, whatever happens while copying.
    const std::unique_ptr<void, kelcomp::FreeFunction> owned(output, m_entries.freeBuf);
    if (result != 0 || !output || outputLength < 0)
        throw EKelError("Zipped bitmap data damaged");
    return QByteArray(static_cast<const char*>(output), outputLength);
}

TKelCompLibrary& TKelCompLibrary::Program()
{
    static TKelCompLibrary library;
    return library;
}

bool TKelCompLibrary::LoadProgramLibrary()
{
    return Program().Load(QCoreApplication::applicationDirPath() + QStringLiteral("/kelcomp"));
}

} // namespace quillo
