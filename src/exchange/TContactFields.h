#pragma once

#include "tree/TKelPigger.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

namespace quillo {

// What a contact's value is, for finding the field it goes into.
enum class TContactRole { LastName, FirstName, Address, Phones, Email, Url, Birthday, Org, Title, Note, Other };

// A field an import adds to the notebook when told to.
struct TNewField {
    QString name;
    QString feature;
};

// The fields of one notebook as import and export see them: the standard names of the new-notebook wizard,
// the fields with the e-mail and http features and the birthday field, and any field by NAME. Names are
// returned upper-cased, as records store them.
class TContactFields {
public:
    // The most fields one import creates; what would need more stays out.
    static constexpr int MaxNewFields = 1000;

    // With createFields, a value that finds no field plans a new one instead of being left out.
    TContactFields(const TKelPigger& notebook, bool createFields);

    // The field of a role; empty when the notebook has none and none may be created.
    QString Target(TContactRole role);
    // The same without planning a field: empty when the notebook has none.
    QString Existing(TContactRole role) const;
    // The field whose NAME, after the name rule, equals name case-insensitively; empty when none.
    QString Named(const QString& name);
    // The role of a field, for export: Other for a field outside the standard table.
    TContactRole RoleOf(const QString& upperName) const;
    bool Has(const QString& upperName) const { return m_index.contains(upperName); }

    // The notebook's fields in FIELDS order, upper-cased, followed by the planned ones.
    const QStringList& Names() const { return m_names; }
    const QList<TNewField>& NewFields() const { return m_newFields; }

private:
    QString Plan(const QString& name, const QString& feature);

    bool m_create;
    QStringList m_names;
    QHash<QString, int> m_index;
    QString m_emailField;
    QString m_urlField;
    QString m_birthdayField;
    QList<TNewField> m_newFields;
};

} // namespace quillo
