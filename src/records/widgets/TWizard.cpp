#include "records/widgets/TWizard.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace quillo {

namespace {

QPushButton* NewButton(const QString& text, const char* name, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    // Enter belongs to the step's own boxes, never to a button the user did not look at.
    button->setAutoDefault(false);
    return button;
}

} // namespace

TWizard::TWizard(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TWizard"));
    setWindowTitle(QStringLiteral("Wizard"));
    pages = new QStackedWidget(this);
    pages->setObjectName(QStringLiteral("pages"));
    btnPrev = NewButton(QStringLiteral("<< Prior"), "btnPrev", this);
    btnNext = NewButton(QStringLiteral("Next >>"), "btnNext", this);
    btnFinish = NewButton(QStringLiteral("Ok"), "btnFinish", this);
    btnCancel = NewButton(QStringLiteral("Cancel"), "btnCancel", this);

    auto* bar = new QHBoxLayout;
    bar->addStretch(1);
    for (QPushButton* button : { btnPrev, btnNext, btnFinish, btnCancel })
        bar->addWidget(button);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages, 1);
    layout->addLayout(bar);

    // The captions stay as they are; Alt and the first letter press the button.
    btnPrev->setShortcut(QKeySequence(QStringLiteral("Alt+P")));
    btnNext->setShortcut(QKeySequence(QStringLiteral("Alt+N")));
    btnFinish->setShortcut(QKeySequence(QStringLiteral("Alt+O")));
    connect(btnPrev, &QPushButton::clicked, this, [this] {
        if (CurrentPageIndex() >= 1)
            ShowPage(CurrentPageIndex() - 1);
    });
    connect(btnNext, &QPushButton::clicked, this, [this] {
        if (CurrentPageIndex() < LastPageIndex())
            ShowPage(CurrentPageIndex() + 1);
    });
    connect(btnFinish, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    UpdateButtons();
}

int TWizard::CurrentPageIndex() const { return pages->currentIndex(); }

int TWizard::LastPageIndex() const { return pages->count() - 1; }

int TWizard::AddStep(QWidget* sheet) { return pages->addWidget(sheet); }

void TWizard::ShowPage(int index)
{
    if (index >= 0 && index < pages->count()) {
        m_prevPageIndex = CurrentPageIndex();
        pages->setCurrentIndex(index);
        UpdateButtons();
    }
    PageChanged();
}

void TWizard::UpdateButtons()
{
    const int current = CurrentPageIndex();
    btnPrev->setEnabled(current > 0);
    btnNext->setEnabled(current < LastPageIndex());
    btnFinish->setEnabled(current >= 0 && current == LastPageIndex());
    btnCancel->setEnabled(true);
}

} // namespace quillo
