#include "exchange/TContactFields.h"

#include "notebook/NotebookSchema.h"

namespace quillo {

namespace {

struct TStandard {
    TContactRole role;
    const char* name;
    QLatin1StringView feature;
};

// The names the new-notebook wizard offers, and the fields an import creates for the other roles.
const TStandard Standard[] = {
    { TContactRole::LastName, "LAST_NAME", {} },
    { TContactRole::FirstName, "FIRST_NAME", {} },
    { TContactRole::Address, "ADDR", {} },
    { TContactRole::Phones, "PHONES", {} },
    { TContactRole::Email, "E-MAIL", NotebookSchema::FeatureEmail },
    { TContactRole::Url, "HTTP", NotebookSchema::FeatureHttp },
    { TContactRole::Birthday, "BIRTHDAY", NotebookSchema::FeatureDate },
    { TContactRole::Org, "ORG", {} },
    { TContactRole::Title, "TITLE", {} },
    { TContactRole::Note, "NOTE", {} },
};

const TStandard& StandardOf(TContactRole role)
{
    for (const TStandard& standard : Standard)
        if (standard.role == role)
            return standard;
    return Standard[0];
}

} // namespace

TContactFields::TContactFields(const TKelPigger& notebook, bool createFields)
    : m_create(createFields)
{
    const QString nameAttr = QStringLiteral("NAME");
    const QString featureAttr = QStringLiteral("FEATURE");
    if (const TKelPigger* fields = notebook.FindChild("FIELDS")) {
        for (const TKelPigger* field = fields->FindChild("FIELD"); field; field = fields->FindNextChild(field)) {
            const QString name = field->GetAttr(nameAttr).toUpper();
            if (name.isEmpty() || m_index.contains(name))
                continue;
            m_index.insert(name, int(m_names.size()));
            m_names.append(name);
            // The grid's rule: the last field with a feature is the one its buttons use.
            const QString feature = field->GetAttr(featureAttr);
            if (feature == NotebookSchema::FeatureEmail)
                m_emailField = name;
            else if (feature == NotebookSchema::FeatureHttp)
                m_urlField = name;
        }
    }
    const QString bdf = notebook.GetAttr(QStringLiteral("BDF")).toUpper();
    if (m_index.contains(bdf))
        m_birthdayField = bdf;
}

QString TContactFields::Existing(TContactRole role) const
{
    if (role == TContactRole::Other)
        return {};
    if (role == TContactRole::Email && !m_emailField.isEmpty())
        return m_emailField;
    if (role == TContactRole::Url && !m_urlField.isEmpty())
        return m_urlField;
    if (role == TContactRole::Birthday && !m_birthdayField.isEmpty())
        return m_birthdayField;
    const QString name = QLatin1String(StandardOf(role).name);
    return m_index.contains(name) ? name : QString();
}

QString TContactFields::Target(TContactRole role)
{
    const QString existing = Existing(role);
    if (!existing.isEmpty() || role == TContactRole::Other)
        return existing;
    const TStandard& standard = StandardOf(role);
    return Plan(QLatin1String(standard.name), standard.feature);
}

QString TContactFields::Named(const QString& name)
{
    const QString upper = NotebookSchema::SanitizeName(name.trimmed()).toUpper();
    if (upper.isEmpty())
        return {};
    if (m_index.contains(upper))
        return upper;
    return Plan(upper, {});
}

QString TContactFields::Plan(const QString& name, const QString& feature)
{
    if (m_index.contains(name))
        return name;
    if (!m_create || m_newFields.size() >= MaxNewFields)
        return {};
    {
        m_index.insert(name, int(m_names.size()));
        m_names.append(name);
        m_newFields.append({ name, feature });
        if (feature == NotebookSchema::FeatureEmail)
            m_emailField = name;
        else if (feature == NotebookSchema::FeatureHttp)
            m_urlField = name;
        else if (feature == NotebookSchema::FeatureDate)
            m_birthdayField = name;
    }
    return name;
}

TContactRole TContactFields::RoleOf(const QString& upperName) const
{
    for (const TStandard& standard : Standard)
        if (Existing(standard.role) == upperName)
            return standard.role;
    return TContactRole::Other;
}

} // namespace quillo
