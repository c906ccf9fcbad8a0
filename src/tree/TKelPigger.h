#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

#include "tree/TKelArena.h"

#include <cstdint>
#include <functional>
#include <new>
#include <vector>

class QIODevice;

namespace quillo {

struct TKelParseContext;

// One element of a document: tag, ordered attributes, text and owned children.
// Notebook files, settings, templates and reports are all trees of these.
class TKelPigger {
public:
    explicit TKelPigger(TKelPigger* parent = nullptr);
    virtual ~TKelPigger();
    TKelPigger(const TKelPigger&) = delete;
    TKelPigger& operator=(const TKelPigger&) = delete;
    // Frees a node where it was allocated: on the heap, or in the arena the reader put it in.
    static void operator delete(TKelPigger* node, std::destroying_delete_t);

    // Virtual constructor: a new node of this node's class, appended to parent.
    virtual TKelPigger* Create(TKelPigger* parent) const;

    // Deep copy; children are created through Create, so descendant classes survive.
    virtual void Assign(const TKelPigger& source);
    // Destroys the subtree and empties tag, text and attributes; keeps Parent and Level.
    virtual void Clear();
    virtual void SetParent(TKelPigger* newParent);

    virtual void LoadFromText(const QByteArray& text);
    virtual QByteArray SaveToText() const;
    // Reads one element starting at the context's position into this node.
    virtual void Parse(TKelParseContext& context);

    // Reader hooks.
    virtual TKelPigger* CreateChild(const QByteArray& tag);
    virtual void ChildParsed(TKelPigger* child);
    virtual bool AcceptText(const QByteArray& text);

    const QByteArray& Tag() const { return m_tag; }
    void SetTag(const QByteArray& tag);
    const QByteArray& Text() const { return m_text; }
    void SetText(const QByteArray& text) { m_text = text; }
    TKelPigger* Parent() const { return m_parent; }
    int Level() const { return m_level; }
    QString Indent() const;
    // 1-based byte position the reader had reached in this element.
    int ReadPosition() const { return m_readPosition; }

    int ChildCount() const { return int(m_children.size()); }
    TKelPigger* Child(int index) const;
    int IndexOfChild(const TKelPigger* child) const;
    void MoveChild(int currentIndex, int newIndex);
    // Stable reorder of the children by less; one pass, so sorting a long page stays O(n log n).
    void SortChildren(const std::function<bool(const TKelPigger*, const TKelPigger*)>& less);
    TKelPigger* FindChild(const QByteArray& tag) const;
    TKelPigger* FindNextChild(const TKelPigger* previous) const;
    TKelPigger* FindChildByAttr(const QString& name, const QString& value) const;

    QString GetAttr(const QString& name) const;
    void SetAttr(const QString& name, const QString& value);
    void DeleteAttr(const QString& name);
    int IndexOfAttr(QStringView upperName) const;
    int AttrCount() const { return int(m_attrs.size()); }
    QString AttrName(int index) const { return AttrNameView(index).toString(); }
    QString AttrValue(int index) const { return AttrValueView(index).toString(); }
    // Views into the node's storage, valid until the attributes change.
    QStringView AttrNameView(int index) const;
    QStringView AttrValueView(int index) const;

    void LoadFromStream(QIODevice& stream);
    void SaveToStream(QIODevice& stream) const;
    void LoadFromFile(const QString& fileName);
    void SaveToFile(const QString& fileName) const;

    // Cuts at the first NUL and turns every line end into CR LF, ending the text with one.
    static QByteArray NormalizeText(QByteArrayView bytes);

    // Elements nested deeper than this are refused by the reader.
    static constexpr int MaxDepth = 1000;

private:
    struct AttrEntry {
        uint32_t offset; // of the name in m_attrText; the value follows it
        uint32_t nameLength;
        uint32_t valueLength;
    };

    using TAttrList = std::vector<AttrEntry, TKelArenaAllocator<AttrEntry>>;

    static TKelPigger* NewInArena(TKelArena& arena, TKelPigger* parent);
    void OwnAttrs();
    void AppendChild(TKelPigger* child);
    void RemoveChild(TKelPigger* child);
    void DestroyChildren();
    void Relevel();
    void CheckAttrTextGrowth(qsizetype growth) const;
    void AppendAttr(QStringView upperName, QStringView value);
    void ReplaceAttrValue(int index, QStringView value);
    void EraseAttr(int index);
    void ParseStartTag(TKelParseContext& context);
    void ParseContent(TKelParseContext& context);
    void ParseEndTag(TKelParseContext& context);
    void AssignFrom(const TKelPigger& source);

    QByteArray m_tag;
    QByteArray m_text;
    TKelPigger* m_parent = nullptr;
    std::vector<TKelPigger*> m_children;
    // Names and values packed into one buffer: a record costs one allocation, not two per field.
    // Both lie in the node's arena after a read (the text as raw data) and move to the heap on
    // the first edit.
    QString m_attrText;
    TAttrList m_attrs;
    // Holds this node's memory when the reader created it; null for nodes made otherwise.
    TKelArena* m_arena = nullptr;
    int m_level = 0;
    int m_readPosition = 0;
    // Last known index in the parent's child list; makes FindNextChild walks linear.
    mutable int m_indexHint = 0;

    friend class TKelPiggerWriter;
};

// Percent escape of the text format: control codes (but TAB, LF, CR), ", %, < and > become %XX.
QString EscapeValue(const QString& value);
// Replaces %XX (upper-case hex digits) by the character of that code; any other % stays.
QString UnescapeValue(const QString& value);

} // namespace quillo
