#include "platform/ui/IpAddressWidget.h"

#include "platform/ui/MessageRouter.h"
#include "platform/ui/UiConstants.h"
#include "platform/ui/WindowRegistry.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>

IpAddressWidget::IpAddressWidget(QWidget* parent) : QFrame(parent)
{
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 0, 2, 0);
    layout->setSpacing(0);
    auto* validator = new QRegularExpressionValidator(QRegularExpression("^[0-9]{0,3}$"), this);
    for (int i = 0; i < 4; ++i) {
        if (i > 0) {
            auto* dot = new QLabel(".", this);
            dot->setAlignment(Qt::AlignCenter);
            layout->addWidget(dot);
        }
        auto* field = new QLineEdit(this);
        field->setFrame(false);
        field->setAlignment(Qt::AlignCenter);
        field->setValidator(validator);
        field->setMaxLength(3);
        field->installEventFilter(this);
        layout->addWidget(field, 1);
        m_fields[static_cast<std::size_t>(i)] = field;
        m_ranges[static_cast<std::size_t>(i)] = {0, 255};
        connect(field, &QLineEdit::textEdited, this, [this, i] { FieldEdited(i); });
        connect(field, &QLineEdit::textChanged, this, [this] {
            if (m_setting != 0)
                return;
            if (WindowRecord* rec = WindowRegistry::FromWidget(this))
                MessageRouter::NotifyCommand(rec->hwnd, EN_CHANGE);
        });
    }
    setFocusProxy(m_fields[0]);
}

std::array<int, 4> IpAddressWidget::Fields() const
{
    std::array<int, 4> values{};
    for (std::size_t i = 0; i < 4; ++i) {
        const QString text = m_fields[i]->text();
        values[i] = text.isEmpty() ? -1 : std::min(text.toInt(), 255);
    }
    return values;
}

void IpAddressWidget::SetFields(const std::array<int, 4>& values)
{
    ++m_setting;
    for (std::size_t i = 0; i < 4; ++i)
        m_fields[i]->setText(values[i] < 0 ? QString() : QString::number(std::min(values[i], 255)));
    --m_setting;
    if (WindowRecord* rec = WindowRegistry::FromWidget(this))
        MessageRouter::NotifyCommand(rec->hwnd, EN_CHANGE);
}

void IpAddressWidget::SetFieldFocus(int field)
{
    if (field < 0 || field > 3)
        field = 0;
    m_fields[static_cast<std::size_t>(field)]->setFocus();
    m_fields[static_cast<std::size_t>(field)]->selectAll();
}

void IpAddressWidget::SetFieldRange(int field, int low, int high)
{
    if (field < 0 || field > 3 || low > high)
        return;
    m_ranges[static_cast<std::size_t>(field)] = {std::max(0, low), std::min(255, high)};
}

void IpAddressWidget::SetReadOnly(bool readOnly)
{
    for (QLineEdit* f : m_fields)
        f->setReadOnly(readOnly);
}

void IpAddressWidget::FieldEdited(int field)
{
    QLineEdit* edit = m_fields[static_cast<std::size_t>(field)];
    const auto [low, high] = m_ranges[static_cast<std::size_t>(field)];
    if (!edit->text().isEmpty()) {
        const int v = edit->text().toInt();
        if (v > high || v < low) {
            ++m_setting;
            edit->setText(QString::number(v > high ? high : low));
            --m_setting;
        }
    }
    if (WindowRecord* rec = WindowRegistry::FromWidget(this)) {
        NMIPADDRESS nm;
        nm.iField = field;
        nm.iValue = edit->text().isEmpty() ? -1 : edit->text().toInt();
        MessageRouter::NotifyParent(rec->hwnd, nm.hdr, IPN_FIELDCHANGED);
    }
    if (edit->text().size() == 3 && field < 3)
        SetFieldFocus(field + 1);
}

bool IpAddressWidget::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QFrame::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    for (int i = 0; i < 4; ++i) {
        if (watched != m_fields[static_cast<std::size_t>(i)])
            continue;
        QLineEdit* edit = m_fields[static_cast<std::size_t>(i)];
        if ((key->key() == Qt::Key_Period || key->key() == Qt::Key_Space) && i < 3) {
            if (!edit->text().isEmpty())
                SetFieldFocus(i + 1);
            return true;
        }
        if (key->key() == Qt::Key_Backspace && edit->cursorPosition() == 0 && !edit->hasSelectedText() && i > 0) {
            QLineEdit* previous = m_fields[static_cast<std::size_t>(i - 1)];
            previous->setFocus();
            previous->setCursorPosition(previous->text().size());
            return true;
        }
    }
    return QFrame::eventFilter(watched, event);
}
