#include "i18n/FTLanguage.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QVariant>

// Walking a window and rewriting the texts of its tagged parts.

namespace {

bool isRadioGroup(const QObject* object)
{
    return qobject_cast<const QGroupBox*>(object) && object->property("radioGroup").toBool();
}

} // namespace

void TFTLanguage::Translate(QWidget* target)
{
    if (!fLoaded || !target || !hasCurrentLanguage()) {
        return;
    }
    const int targetTag = tag(target);
    if (target->isWindow() && targetTag != 0 && targetTag != fNoTransTag && !isExcluded(target)) {
        target->setWindowTitle(captionAt(targetTag, target->windowTitle()));
    }
    translateChildren(target);
}

void TFTLanguage::translateChildren(QObject* parent)
{
    // Copied: translating may not add children, but a copy keeps the walk safe if it does.
    const QObjectList children = parent->children();
    for (QObject* child : children) {
        translateChildren(child);
        translateObject(child);
    }
}

void TFTLanguage::translateObject(QObject* object)
{
    // Untagged objects (every internal child Qt makes) stay as they are whatever NoTransTag says.
    const int t = tag(object);
    if (t == 0 || t == fNoTransTag || isExcluded(object)) {
        return;
    }
    const QString hint = hintFor(t);
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget && !hint.isEmpty()) {
        widget->setToolTip(hint);
    } else if (auto* slider = qobject_cast<QSlider*>(object)) {
        slider->setToolTip(captionAt(t, slider->toolTip()));
        return;
    }

    if (auto* action = qobject_cast<QAction*>(object)) {
        for (const QObject* owner : action->associatedObjects()) {
            if (qobject_cast<const QMenu*>(owner) && isExcluded(owner)) {
                return;
            }
        }
        action->setText(captionAt(t, action->text()));
    } else if (auto* menu = qobject_cast<QMenu*>(object)) {
        menu->setTitle(captionAt(t, menu->title()));
    } else if (auto* edit = qobject_cast<QLineEdit*>(object)) {
        edit->setText(captionAt(t, edit->text()));
    } else if (isRadioGroup(object)) {
        auto* group = static_cast<QGroupBox*>(object);
        group->setTitle(captionAt(t, group->title()));
        const QList<QRadioButton*> items = group->findChildren<QRadioButton*>();
        for (qsizetype i = 0; i < items.size(); ++i) {
            items[i]->setText(captionAt(qint64(t) + i + 1, items[i]->text()));
        }
    } else if (auto* label = qobject_cast<QLabel*>(object)) {
        label->setText(captionAt(t, label->text()));
    } else if (auto* box = qobject_cast<QGroupBox*>(object)) {
        box->setTitle(captionAt(t, box->title()));
    } else if (auto* button = qobject_cast<QAbstractButton*>(object)) {
        button->setText(captionAt(t, button->text()));
    } else if (auto* tabs = qobject_cast<QTabWidget*>(object)) {
        for (int i = 0; i < tabs->count(); ++i) {
            tabs->setTabText(i, captionAt(qint64(t) + i, tabs->tabText(i)));
        }
    } else if (auto* list = qobject_cast<QListWidget*>(object)) {
        for (int i = 0; i < list->count(); ++i) {
            list->item(i)->setText(captionAt(qint64(t) + i, list->item(i)->text()));
        }
    } else if (auto* combo = qobject_cast<QComboBox*>(object)) {
        for (int i = 0; i < combo->count(); ++i) {
            combo->setItemText(i, captionAt(qint64(t) + i, combo->itemText(i)));
        }
    } else if (auto* dialog = qobject_cast<QFileDialog*>(object)) {
        dialog->setWindowTitle(captionAt(t, dialog->windowTitle()));
    }
}
