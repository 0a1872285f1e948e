// Platform-internal: the four-field IPv4 address control behind
// CIPAddressCtrl. A field takes 0 to 255; three digits or '.' move on to the
// next field, Backspace in an empty field back to the previous one. Each
// change is reported with IPN_FIELDCHANGED and EN_CHANGE.
#pragma once

#include <QFrame>

#include <array>

class QLineEdit;

class IpAddressWidget : public QFrame
{
public:
    explicit IpAddressWidget(QWidget* parent);

    // Field values, -1 for a blank field.
    std::array<int, 4> Fields() const;
    void SetFields(const std::array<int, 4>& values);
    void SetFieldFocus(int field);
    void SetFieldRange(int field, int low, int high);
    void SetReadOnly(bool readOnly);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FieldEdited(int field);

    std::array<QLineEdit*, 4> m_fields{};
    std::array<std::pair<int, int>, 4> m_ranges{};
    int m_setting = 0;
};
