#include "bar/widgets/stembox.h"

#include "cipher/textfields.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

StemBox::StemBox(QWidget* parent, const QString& name) : QPlainTextEdit(parent)
{
    setObjectName(name);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setUndoRedoEnabled(false);
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_restoring)
            emit changedByUser();
    });
}

void StemBox::showStem(const QString& stored)
{
    const QString stem = textBeforeZeroFill(stored);
    if (stem == toPlainText())
        return;
    m_restoring = true;
    setPlainText(stem);
    m_restoring = false;
}

QMenu* StemBox::createStemMenu()
{
    QMenu* menu = createStandardContextMenu();
    for (QAction* action : menu->actions()) {
        const QString name = action->objectName();
        if (name == u"edit-copy"_s || name == u"edit-cut"_s)
            action->disconnect();
    }
    return menu;
}

QMimeData* StemBox::createMimeDataFromSelection() const
{
    return new QMimeData;
}

void StemBox::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu* menu = createStemMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void StemBox::keyPressEvent(QKeyEvent* event)
{
    event->accept();
}

void StemBox::keyReleaseEvent(QKeyEvent* event)
{
    event->accept();
}

} // namespace pptdrill

#include "moc_stembox.cpp"
