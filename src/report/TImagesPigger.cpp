#include "report/TImagesPigger.h"

#include "report/TImageDataPigger.h"
#include "report/TKelCompLibrary.h"
#include "report/TReportPigger.h"

namespace quillo {

TKelPigger* TImagesPigger::CreateChild(const QByteArray& tag)
{
    if (tag != "IMAGEDATA")
        return nullptr;
    const TReportPigger* report = dynamic_cast<TReportPigger*>(Parent());
    return new TImageDataPigger(this, report ? report->Compressor() : TKelCompLibrary::Program());
}

TImageDataPigger* TImagesPigger::Find(const QString& upperName) const
{
    for (int i = 0; i < ChildCount(); ++i) {
        auto* data = dynamic_cast<TImageDataPigger*>(Child(i));
        if (data && data->Name() == upperName)
            return data;
    }
    return nullptr;
}

} // namespace quillo
