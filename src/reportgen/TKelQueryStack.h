#pragma once

#include "reportgen/IReportQuery.h"
#include "reportgen/IReportQueryStack.h"
#include "reportgen/TKelTranspQuery.h"

#include <QByteArray>

#include <memory>
#include <vector>

namespace quillo {

// One open QUERY of a template run.
struct TKelQueryEntry {
    std::shared_ptr<IReportQuery> Query; // dropped once a transposition has read it
    int RecNo = 0;
    QByteArray Name;
    std::unique_ptr<TKelTranspQuery> Transposer;
    int DynCol = -1;
    int HeaderLevel = -1;
    int HeaderCol = -1;

    // The record stream the BODY walks: the transposed rows when there are any.
    bool Eof() const { return Transposer ? Transposer->Eof() : Query->Eof(); }
    void Next();
};

// The open queries of a run, innermost last.
class TKelQueryStack : public IReportQueryStack {
public:
    static constexpr int MaxDepth = 8;

    int Depth() const { return int(m_entries.size()); }
    // Opens an entry named "Query" and the new depth; a ninth nested query is refused.
    TKelQueryEntry& Push(std::shared_ptr<IReportQuery> query);
    void Pop();
    void Clear() { m_entries.clear(); }
    // The innermost entry, or null when no query is open.
    TKelQueryEntry* Innermost() const { return m_entries.empty() ? nullptr : m_entries.back().get(); }
    // The innermost entry for an empty name, else the outermost one of that name;
    // raises "Query '%s' not found".
    TKelQueryEntry& Find(const QByteArray& queryName) const;

    // The named field of the entry's current record or transposed row.
    TExpr GetField(const QByteArray& fieldName, const QByteArray& queryName) const override;
    int32_t RecNo(const QByteArray& queryName) const override { return Find(queryName).RecNo; }
    int32_t DynColCount() const override;
    int32_t DynColIndex() const override;
    TExpr DynField() const override;
    TExpr DynHeader() const override;
    // The innermost entry when it is transposed; raises "Error in transponated query" otherwise.
    TKelQueryEntry& TransposedInnermost() const;

private:
    std::vector<std::unique_ptr<TKelQueryEntry>> m_entries;
};

} // namespace quillo
