#pragma once

#include "tree/EKelError.h"

#include <QByteArray>

namespace quillo {

// A fault raised while running a template, with the element it arose in: Element is its tag and Position
// the 1-based byte position of its "<" in the template file (or the text the template was read from), 0 when
// not known. Message() is the fault's own text, unchanged.
class ETemplateError : public EKelError {
public:
    ETemplateError(const EKelError& fault, const QByteArray& element, int position)
        : EKelError(fault.what())
        , Element(element)
        , Position(position)
    {
    }

    // "In <TAG> at byte N of the template file": the line a window adds below the message.
    QString Where() const;

    QByteArray Element;
    int Position;
};

// The text a window shows for a fault: a template fault gains a second line saying where it lies.
QString WindowMessage(const EKelError& error);

} // namespace quillo
