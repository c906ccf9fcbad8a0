#pragma once

#include "tree/EKelError.h"

#include <QByteArray>

namespace quillo {

// A fault found while reading document text: which one, where (Position, the 1-based byte
// position) and the element it concerns. Message() is the text users and zdktool show.
class EKelPiggerError : public EKelError {
public:
    enum class TFault {
        NoElement, // no "<" where an element must start
        TagUnended, // the tag name runs into the end of the text
        StartTagUnended, // the attributes run into the end of the text
        AttrNameUnended,
        QuoteUnclosed,
        BareValueUnended,
        StartTagUnclosed, // neither ">" nor "/>" ends the start tag
        ContentUnended, // no "<" after an element's text
        ChildTagUnended, // a child's tag name runs into the end of the text
        EndTagMismatch, // the end tag is missing or names another element
        TooDeep,
        TooLarge,
    };

    EKelPiggerError(TFault fault, int position, const QByteArray& tag = QByteArray())
        : EKelError(Describe(fault, tag))
        , Fault(fault)
        , Position(position)
        , Tag(tag)
    {
    }

    // The message of a fault; tag is the element an end-tag mismatch concerns.
    static QString Describe(TFault fault, const QByteArray& tag);

    TFault Fault;
    int Position;
    QByteArray Tag;
};

} // namespace quillo
