#pragma once

#include "tree/TKelPigger.h"

#include <QStringList>

namespace quillo {
class TKelReportGenerator;
}

namespace quillo::zdktool {

// The data a generator runs against, from --data FILE.zdk [--notebook NAME [--page NAME]] and
// --param NAME=VALUE[:INT] options.
class TGeneratorInput {
public:
    // Takes the option at args[index] and its value when it is one of ours; index then points at the value.
    // Returns false for any other argument. Raises for an option without a value.
    bool TakeOption(const QStringList& args, qsizetype& index);
    // Loads the data file and builds the PARAMS node; prints the error and returns false on failure.
    bool Prepare();
    // Hands the selected data node and the passed parameters to the generator.
    void Apply(TKelReportGenerator& generator);

private:
    TKelPigger* SelectDataNode();

    QString m_dataFile;
    QString m_notebook;
    QString m_page;
    QStringList m_params;
    TKelPigger m_document;
    TKelPigger m_passedParams;
};

} // namespace quillo::zdktool
