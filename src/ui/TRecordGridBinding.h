#pragma once

#include "records/widgets/INotepadSeams.h"

#include <QObject>

#include <functional>

class QDropEvent;

namespace quillo {

class IMainWindow;
class TKelPigger;
class TO_notepad;
class TOPigSructEd;

// Ties the record grid to the main window: the window services the grid asks for, and the drop of a record
// dragged out of the grid onto a page in the guider, which moves it there.
class TRecordGridBinding : public QObject, public INotepadHost {
    Q_OBJECT

public:
    TRecordGridBinding(IMainWindow& main, TO_notepad& notepad, TOPigSructEd& guider, QObject* parent = nullptr);

    void SetPagePrinter(std::function<void(TKelPigger& page, const QString& printTemplate)> printer)
    {
        m_printer = std::move(printer);
    }

    void SetNotebookPrinter(std::function<void(TKelPigger& notebook)> printer)
    {
        m_notebookPrinter = std::move(printer);
    }

    TEditHistory* History() override;
    void SetChanged(bool changed) override;
    void PageAdded(TKelPigger& page) override;
    void PageShown(TKelPigger& page) override;
    void PrintPage(TKelPigger& page, const QString& printTemplate) override;
    void PrintNotebook(TKelPigger& notebook) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The PAGE a record from the grid may be dropped on at that event's position, or nullptr.
    TKelPigger* DropPage(const QDropEvent& event) const;

    IMainWindow& m_main;
    TO_notepad& m_notepad;
    TOPigSructEd& m_guider;
    std::function<void(TKelPigger& page, const QString& printTemplate)> m_printer;
    std::function<void(TKelPigger& notebook)> m_notebookPrinter;
};

} // namespace quillo
