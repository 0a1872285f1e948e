#include "platform/ui/WindowFactory.h"

#include "platform/ui/CButton.h"
#include "platform/ui/CComboBox.h"
#include "platform/ui/CEdit.h"
#include "platform/ui/CHeaderCtrl.h"
#include "platform/ui/CIPAddressCtrl.h"
#include "platform/ui/CListBox.h"
#include "platform/ui/CListCtrl.h"
#include "platform/ui/CProgressCtrl.h"
#include "platform/ui/CStatic.h"
#include "platform/ui/CheckBoxWidget.h"
#include "platform/ui/IpAddressWidget.h"
#include "platform/ui/ListViewWidget.h"
#include "platform/ui/MenuFrame.h"
#include "platform/ui/MenuRegistry.h"
#include "platform/ui/MessageRouter.h"
#include "platform/ui/RadioWidget.h"
#include "platform/ui/ResourceImages.h"
#include "platform/ui/ResourceStore.h"
#include "platform/ui/UiThreadCalls.h"
#include "platform/ui/WindowEventFilter.h"
#include "platform/ui/WindowRegistry.h"

#include <QApplication>
#include <QComboBox>
#include <QEventLoop>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTimer>

#include <algorithm>
#include <cctype>
#include <utility>

namespace {

std::string Lower(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

enum class Kind
{
    Button,
    Edit,
    Static,
    Combo,
    ListBox,
    ListView,
    Progress,
    IpAddress,
    Plain,
};

// The control classes by the names templates and Create give them.
struct ClassName
{
    Kind kind;
    const char* name;
};
const ClassName kClassNames[] = {
    {Kind::Button, WC_BUTTON},        {Kind::Edit, WC_EDIT},           {Kind::Static, WC_STATIC},
    {Kind::Combo, WC_COMBOBOX},       {Kind::ListBox, WC_LISTBOX},     {Kind::ListView, WC_LISTVIEW},
    {Kind::Progress, PROGRESS_CLASS}, {Kind::IpAddress, WC_IPADDRESS},
};

Kind KindOf(const std::string& className)
{
    for (const ClassName& c : kClassNames) {
        if (Lower(className) == Lower(c.name))
            return c.kind;
    }
    return Kind::Plain;
}

// The class names as the layer reports them.
std::string CanonicalName(Kind kind, const char* given)
{
    for (const ClassName& c : kClassNames) {
        if (c.kind == kind)
            return c.name;
    }
    return given ? given : "";
}

// A static's text without its '&' marks ("&&" shows one '&').
QString WithoutMnemonics(const std::string& text)
{
    QString out;
    const QString in = QString::fromStdString(text);
    for (qsizetype i = 0; i < in.size(); ++i) {
        if (in[i] == '&') {
            if (i + 1 < in.size() && in[i + 1] == '&')
                out += '&', ++i;
            continue;
        }
        out += in[i];
    }
    return out;
}

bool IsRadio(DWORD style)
{
    const DWORD type = style & BS_TYPEMASK;
    return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
}

bool IsCheck(DWORD style)
{
    const DWORD type = style & BS_TYPEMASK;
    return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE || type == BS_AUTO3STATE;
}

std::unique_ptr<CWnd> MakeObject(Kind kind)
{
    switch (kind) {
    case Kind::Button:
        return std::make_unique<CButton>();
    case Kind::Edit:
        return std::make_unique<CEdit>();
    case Kind::Static:
        return std::make_unique<CStatic>();
    case Kind::Combo:
        return std::make_unique<CComboBox>();
    case Kind::ListBox:
        return std::make_unique<CListBox>();
    case Kind::ListView:
        return std::make_unique<CListCtrl>();
    case Kind::Progress:
        return std::make_unique<CProgressCtrl>();
    case Kind::IpAddress:
        return std::make_unique<CIPAddressCtrl>();
    case Kind::Plain:
        return std::make_unique<CWnd>();
    }
    return nullptr;
}

void ApplyStaticLook(QLabel* label, DWORD style)
{
    Qt::Alignment align = Qt::AlignTop;
    switch (style & SS_TYPEMASK) {
    case SS_CENTER:
        align |= Qt::AlignHCenter;
        break;
    case SS_RIGHT:
        align |= Qt::AlignRight;
        break;
    default:
        align |= Qt::AlignLeft;
        break;
    }
    if (style & SS_CENTERIMAGE)
        align = (align & ~Qt::AlignTop) | Qt::AlignVCenter;
    label->setAlignment(align);
    const DWORD type = style & SS_TYPEMASK;
    label->setWordWrap(type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT);
    // The text starts right inside the frame: a framed label would otherwise
    // push it half an 'x' away from the edge it is aligned to, and a label
    // only as tall as its font would lose the bottom of its text.
    label->setIndent(0);
    if (style & SS_SUNKEN)
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    else if (style & WS_BORDER)
        label->setFrameStyle(QFrame::Box | QFrame::Plain);
    else
        label->setFrameStyle(QFrame::NoFrame);
}

void ApplyEditLook(QWidget* widget, DWORD style, DWORD exStyle)
{
    Qt::Alignment align = Qt::AlignVCenter;
    switch (style & (ES_CENTER | ES_RIGHT)) {
    case ES_CENTER:
        align |= Qt::AlignHCenter;
        break;
    case ES_RIGHT:
        align |= Qt::AlignRight;
        break;
    default:
        align |= Qt::AlignLeft;
        break;
    }
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        edit->setAlignment(align);
        edit->setEchoMode((style & ES_PASSWORD) ? QLineEdit::Password : QLineEdit::Normal);
        edit->setReadOnly((style & ES_READONLY) != 0);
        edit->setFrame((style & WS_BORDER) || (exStyle & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE)));
        if (style & ES_NUMBER) {
            if (!edit->validator())
                edit->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), edit));
        } else if (edit->validator()) {
            edit->setValidator(nullptr);
        }
    } else if (auto* text = qobject_cast<QPlainTextEdit*>(widget)) {
        text->setReadOnly((style & ES_READONLY) != 0);
        text->setLineWrapMode((style & ES_AUTOHSCROLL) ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
    }
}

void ApplyFocusPolicy(QWidget* widget, Kind kind, DWORD style)
{
    if (kind == Kind::Static || kind == Kind::Progress || kind == Kind::Plain ||
        (kind == Kind::Button && (style & BS_TYPEMASK) == BS_GROUPBOX)) {
        if (kind != Kind::Plain)
            widget->setFocusPolicy(Qt::NoFocus);
        return;
    }
    widget->setFocusPolicy((style & WS_TABSTOP) ? Qt::StrongFocus : Qt::ClickFocus);
}

QWidget* MakeWidget(Kind kind, DWORD style, DWORD exStyle, const std::string& text, QWidget* parent)
{
    const QString qtext = QString::fromStdString(text);
    switch (kind) {
    case Kind::Button: {
        const DWORD type = style & BS_TYPEMASK;
        if (type == BS_GROUPBOX) {
            auto* box = new QGroupBox(qtext, parent);
            box->setAttribute(Qt::WA_TransparentForMouseEvents);
            // The title sits on the frame's top line, where templates expect it.
            const int half = QFontMetrics(parent ? parent->font() : box->font()).height() / 2;
            box->setStyleSheet(QStringLiteral("QGroupBox { border: 1px solid palette(mid); border-radius: 2px; "
                                              "margin-top: %1px; }"
                                              "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: "
                                              "top left; left: 7px; padding: 0px 2px; }")
                                   .arg(half));
            return box;
        }
        if (IsCheck(style)) {
            auto* box = new CheckBoxWidget(qtext, type == BS_AUTOCHECKBOX || type == BS_AUTO3STATE,
                                           type == BS_3STATE || type == BS_AUTO3STATE, parent);
            if (style & BS_LEFTTEXT)
                box->setLayoutDirection(Qt::RightToLeft);
            return box;
        }
        if (IsRadio(style)) {
            auto* radio = new RadioWidget(qtext, type == BS_AUTORADIOBUTTON, parent);
            if (style & BS_LEFTTEXT)
                radio->setLayoutDirection(Qt::RightToLeft);
            return radio;
        }
        auto* button = new QPushButton(qtext, parent);
        button->setAutoDefault(false);
        button->setDefault(type == BS_DEFPUSHBUTTON);
        return button;
    }
    case Kind::Edit: {
        QWidget* edit = (style & ES_MULTILINE) ? static_cast<QWidget*>(new QPlainTextEdit(qtext, parent))
                                               : static_cast<QWidget*>(new QLineEdit(qtext, parent));
        ApplyEditLook(edit, style, exStyle);
        return edit;
    }
    case Kind::Static: {
        const DWORD type = style & SS_TYPEMASK;
        auto* label = new QLabel(parent);
        if (type == SS_ICON || type == SS_BITMAP) {
            bool numeric = false;
            const UINT id = QString::fromStdString(text).toUInt(&numeric);
            if (numeric && type == SS_ICON) {
                const QIcon icon = ResourceImages::Icon(ResourceImages::LoadIcon(id));
                label->setPixmap(icon.pixmap(QSize(32, 32)));
            } else if (numeric) {
                label->setPixmap(QPixmap::fromImage(ResourceImages::Bitmap(id)));
            }
            label->setAlignment((style & SS_CENTERIMAGE) ? Qt::AlignCenter : (Qt::AlignLeft | Qt::AlignTop));
            return label;
        }
        if (type == SS_ETCHEDHORZ || type == SS_ETCHEDVERT || type == SS_ETCHEDFRAME || type == SS_BLACKFRAME ||
            type == SS_GRAYFRAME || type == SS_WHITEFRAME) {
            auto* frame = new QFrame(parent);
            delete label;
            if (type == SS_ETCHEDHORZ)
                frame->setFrameStyle(QFrame::HLine | QFrame::Sunken);
            else if (type == SS_ETCHEDVERT)
                frame->setFrameStyle(QFrame::VLine | QFrame::Sunken);
            else if (type == SS_ETCHEDFRAME)
                frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
            else
                frame->setFrameStyle(QFrame::Box | QFrame::Plain);
            return frame;
        }
        if (type == SS_BLACKRECT || type == SS_GRAYRECT || type == SS_WHITERECT) {
            label->setAutoFillBackground(true);
            QPalette p = label->palette();
            p.setColor(QPalette::Window,
                       type == SS_BLACKRECT ? Qt::black : (type == SS_GRAYRECT ? Qt::gray : Qt::white));
            label->setPalette(p);
            return label;
        }
        label->setText((style & SS_NOPREFIX) ? QString::fromStdString(text) : WithoutMnemonics(text));
        label->setTextFormat(Qt::PlainText);
        ApplyStaticLook(label, style);
        return label;
    }
    case Kind::Combo: {
        auto* combo = new QComboBox(parent);
        combo->setEditable((style & 0x3) != CBS_DROPDOWNLIST);
        combo->setInsertPolicy(QComboBox::NoInsert);
        if (combo->isEditable()) {
            combo->setCompleter(nullptr);
            combo->setEditText(qtext);
        }
        return combo;
    }
    case Kind::ListBox: {
        auto* list = new QListWidget(parent);
        if (style & LBS_NOSEL)
            list->setSelectionMode(QAbstractItemView::NoSelection);
        else if (style & LBS_EXTENDEDSEL)
            list->setSelectionMode(QAbstractItemView::ExtendedSelection);
        else if (style & LBS_MULTIPLESEL)
            list->setSelectionMode(QAbstractItemView::MultiSelection);
        else
            list->setSelectionMode(QAbstractItemView::SingleSelection);
        return list;
    }
    case Kind::ListView: {
        auto* list = new ListViewWidget(parent);
        list->ApplyStyle(style);
        return list;
    }
    case Kind::Progress: {
        auto* bar = new QProgressBar(parent);
        bar->setRange(0, 100);
        bar->setValue(0);
        bar->setTextVisible(false);
        if (style & PBS_VERTICAL)
            bar->setOrientation(Qt::Vertical);
        return bar;
    }
    case Kind::IpAddress:
        return new IpAddressWidget(parent);
    case Kind::Plain:
        return new QWidget(parent);
    }
    return nullptr;
}

// The notifications a control sends its parent for what the user does.
void Wire(HWND hwnd, QWidget* widget, Kind kind, DWORD style)
{
    switch (kind) {
    case Kind::Button:
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            QObject::connect(button, &QAbstractButton::clicked, button,
                             [hwnd] { MessageRouter::NotifyCommand(hwnd, BN_CLICKED); });
        }
        if (auto* radio = dynamic_cast<RadioWidget*>(widget))
            radio->clearGroup = [hwnd] { WindowFactory::CheckInGroup(hwnd); };
        break;
    case Kind::Edit:
        if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
            QObject::connect(edit, &QLineEdit::textChanged, edit, [hwnd] {
                MessageRouter::NotifyCommand(hwnd, EN_UPDATE);
                MessageRouter::NotifyCommand(hwnd, EN_CHANGE);
            });
        } else if (auto* text = qobject_cast<QPlainTextEdit*>(widget)) {
            QObject::connect(text, &QPlainTextEdit::textChanged, text, [hwnd] {
                MessageRouter::NotifyCommand(hwnd, EN_UPDATE);
                MessageRouter::NotifyCommand(hwnd, EN_CHANGE);
            });
        }
        break;
    case Kind::Combo: {
        auto* combo = static_cast<QComboBox*>(widget);
        QObject::connect(combo, &QComboBox::currentIndexChanged, combo,
                         [hwnd] { MessageRouter::NotifyCommand(hwnd, CBN_SELCHANGE); });
        if (QLineEdit* edit = combo->lineEdit()) {
            QObject::connect(edit, &QLineEdit::textEdited, combo, [hwnd] {
                MessageRouter::NotifyCommand(hwnd, CBN_EDITUPDATE);
                MessageRouter::NotifyCommand(hwnd, CBN_EDITCHANGE);
            });
        }
        QObject::connect(combo, &QComboBox::activated, combo,
                         [hwnd] { MessageRouter::NotifyCommand(hwnd, CBN_SELENDOK); });
        break;
    }
    case Kind::ListBox: {
        auto* list = static_cast<QListWidget*>(widget);
        if (style & LBS_NOTIFY) {
            QObject::connect(list, &QListWidget::itemSelectionChanged, list,
                             [hwnd] { MessageRouter::NotifyCommand(hwnd, LBN_SELCHANGE); });
            QObject::connect(list, &QListWidget::itemDoubleClicked, list,
                             [hwnd] { MessageRouter::NotifyCommand(hwnd, LBN_DBLCLK); });
        }
        break;
    }
    default:
        break;
    }
}

int ComboFieldHeight(QComboBox* combo)
{
    return std::max(combo->sizeHint().height(), QFontMetrics(combo->font()).height() + 8);
}

// A control's widget, record and object; returns its handle.
HWND MakeChild(CWnd* object, CWnd* owner, Kind kind, const char* className, const std::string& text, DWORD style,
               DWORD exStyle, const QRect& rect, WindowRecord& parent, int id,
               const std::vector<std::string>* initialItems)
{
    QWidget* parentWidget = parent.widget;
    QWidget* widget = MakeWidget(kind, style, exStyle, text, parentWidget);
    widget->setFont(parent.font);
    ApplyFocusPolicy(widget, kind, style);

    WindowRecord rec;
    rec.widget = widget;
    rec.parent = parent.hwnd;
    rec.id = id;
    rec.style = style | WS_CHILD;
    rec.exStyle = exStyle;
    rec.className = CanonicalName(kind, className);
    rec.text = text;
    rec.font = parent.font;
    std::unique_ptr<CWnd> made;
    if (!object) {
        made = MakeObject(kind);
        object = made.get();
    }
    rec.object = object;
    if (made)
        rec.defaultObject = made.get();
    const HWND hwnd = WindowRegistry::Add(rec);
    object->m_hWnd = hwnd;
    if (made)
        WindowFactory::Keep(owner, std::move(made));
    parent.children.push_back(hwnd);

    QRect geometry = rect;
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        const int field = ComboFieldHeight(combo);
        const int itemHeight = QFontMetrics(combo->font()).height() + 2;
        combo->setMaxVisibleItems(std::max(3, (rect.height() - field) / std::max(1, itemHeight)));
        geometry.setHeight(std::min(rect.height(), field));
        if (initialItems) {
            for (const auto& item : *initialItems) {
                if (style & CBS_SORT) {
                    const QString q = QString::fromStdString(item);
                    int at = 0;
                    while (at < combo->count() && QString::compare(combo->itemText(at), q, Qt::CaseInsensitive) <= 0)
                        ++at;
                    combo->insertItem(at, q);
                } else {
                    combo->addItem(QString::fromStdString(item));
                }
            }
            combo->setCurrentIndex(-1);
        }
    } else if (auto* list = qobject_cast<QListWidget*>(widget)) {
        if (initialItems) {
            for (const auto& item : *initialItems)
                list->addItem(QString::fromStdString(item));
            if (style & LBS_SORT)
                list->sortItems();
        }
    }
    widget->setGeometry(geometry);
    widget->setEnabled(!(style & WS_DISABLED));
    widget->setVisible((style & WS_VISIBLE) != 0);

    if (kind == Kind::ListView) {
        // The list's header is a child window of its own (id 0).
        auto* list = static_cast<ListViewWidget*>(widget);
        WindowRecord header;
        header.widget = list->header();
        header.parent = hwnd;
        header.id = 0;
        header.style = WS_CHILD | WS_VISIBLE;
        header.className = "SysHeader32";
        header.font = parent.font;
        auto headerObject = std::make_unique<CHeaderCtrl>();
        header.object = headerObject.get();
        header.defaultObject = headerObject.get();
        const HWND headerHandle = WindowRegistry::Add(header);
        headerObject->m_hWnd = headerHandle;
        WindowRegistry::Find(hwnd)->children.push_back(headerHandle);
        WindowFactory::Keep(owner, std::move(headerObject));
    }

    Wire(hwnd, widget, kind, style);
    WindowEventFilter::Watch(widget);
    WindowFactory::AttachObject(*WindowRegistry::Find(hwnd), object);
    return hwnd;
}

Qt::WindowFlags TopLevelFlags(DWORD style, bool owned)
{
    Qt::WindowFlags flags = owned ? Qt::Dialog : Qt::Window;
    flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (style & WS_SYSMENU)
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (style & WS_MINIMIZEBOX)
        flags |= Qt::WindowMinimizeButtonHint;
    if ((style & WS_MAXIMIZEBOX) && (style & WS_THICKFRAME))
        flags |= Qt::WindowMaximizeButtonHint;
    return flags;
}

// The widget of a top-level window (hidden) for its record; attaches the object.
HWND MakeTopLevel(CWnd* object, WindowRecord rec)
{
    rec.frameStyle = rec.style;
    auto* widget = new QWidget(nullptr, TopLevelFlags(rec.style, rec.owner != nullptr));
    widget->setFont(rec.font);
    widget->setWindowTitle(QString::fromStdString(rec.text));
    if (rec.exStyle & WS_EX_TOPMOST)
        widget->setWindowFlag(Qt::WindowStaysOnTopHint, true);
    rec.widget = widget;
    rec.object = object;
    const HWND hwnd = WindowRegistry::Add(std::move(rec));
    object->m_hWnd = hwnd;
    return hwnd;
}

void SetClientSize(WindowRecord& rec, QSize size)
{
    QWidget* w = rec.widget;
    if (rec.frameStyle & WS_THICKFRAME) {
        w->setMinimumSize(0, 0);
        w->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        w->resize(size);
    } else {
        w->setFixedSize(size);
    }
    WindowFactory::FitFrame(rec);
}

} // namespace

QFont WindowFactory::DialogFont(const std::string& face, int points, int weight, bool italic)
{
    QFont font;
    QStringList families;
    if (!face.empty() && Lower(face) != "ms sans serif" && Lower(face) != "ms shell dlg" &&
        Lower(face) != "ms shell dlg 2" && Lower(face) != "microsoft sans serif")
        families << QString::fromStdString(face);
    // Sans-serif faces of similar width, then whatever the system has.
    families << "Liberation Sans"
             << "Arimo"
             << "Nimbus Sans"
             << "Helvetica"
             << "Arial"
             << "DejaVu Sans"
             << "Sans Serif";
    font.setFamilies(families);
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(6, (std::max(1, points) * 96 + 36) / 72));
    font.setWeight(weight >= 600 ? QFont::Bold : QFont::Normal);
    font.setItalic(italic);
    return font;
}

void WindowFactory::BaseUnits(const QFont& font, int& x, int& y)
{
    const QFontMetrics metrics(font);
    const int width = metrics.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    x = (width / 26 + 1) / 2;
    y = metrics.height();
}

QRect WindowFactory::DialogUnitsToPixels(int baseX, int baseY, int x, int y, int cx, int cy)
{
    auto mul = [](int v, int base, int div) { return (v * base + (v >= 0 ? div / 2 : -div / 2)) / div; };
    return QRect(mul(x, baseX, 4), mul(y, baseY, 8), mul(cx, baseX, 4), mul(cy, baseY, 8));
}

HWND WindowFactory::CreateDialogWindow(CWnd* dialog, const DialogTemplate& t, HWND owner)
{
    UiThreadCalls::Install();
    ResourceStore::ProvideBitmaps();
    WindowRecord rec;
    rec.owner = owner;
    rec.style = t.style & ~WS_VISIBLE;
    rec.exStyle = t.exStyle;
    rec.className = "#32770";
    rec.text = t.caption;
    rec.dialog = true;
    rec.font = DialogFont(t.fontFace, t.fontPointSize, t.fontWeight, t.fontItalic);
    BaseUnits(rec.font, rec.baseUnitX, rec.baseUnitY);
    const HWND hwnd = MakeTopLevel(dialog, std::move(rec));
    WindowRecord& self = *WindowRegistry::Find(hwnd);
    QWidget* widget = self.widget;
    const QRect client = DialogUnitsToPixels(self.baseUnitX, self.baseUnitY, t.x, t.y, t.cx, t.cy);
    SetClientSize(self, client.size());

    std::vector<QWidget*> tabOrder;
    std::vector<QWidget*> groupBoxes;
    for (const auto& c : t.controls) {
        const Kind kind = KindOf(c.className);
        const QRect r = DialogUnitsToPixels(self.baseUnitX, self.baseUnitY, c.x, c.y, c.cx, c.cy);
        const HWND child = MakeChild(nullptr, dialog, kind, c.className.c_str(), c.text, c.style, c.exStyle, r, self,
                                     c.id, c.initialItems.empty() ? nullptr : &c.initialItems);
        WindowRecord* cr = WindowRegistry::Find(child);
        if (kind == Kind::Button && (c.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON && self.defId == 0)
            self.defId = static_cast<UINT>(c.id);
        if (kind == Kind::Button && (c.style & BS_TYPEMASK) == BS_GROUPBOX)
            groupBoxes.push_back(cr->widget);
        else if (c.style & WS_TABSTOP)
            tabOrder.push_back(cr->widget);
    }
    for (std::size_t i = 1; i < tabOrder.size(); ++i)
        QWidget::setTabOrder(tabOrder[i - 1], tabOrder[i]);
    // Group boxes are drawn behind the controls they frame.
    for (QWidget* box : groupBoxes)
        box->lower();
    WindowEventFilter::Watch(widget);
    AttachObject(self, dialog);
    // The menu the template names is the window's, destroyed with it.
    if (t.menuId) {
        if (const HMENU menu = MenuRegistry::Load(t.menuId)) {
            self.menu = menu;
            SetMenuBar(self, menu);
        }
    }
    return hwnd;
}

HWND WindowFactory::CreateWindowFor(CWnd* object, const char* className, const std::string& text, DWORD style,
                                    DWORD exStyle, const RECT& rect, HWND parent, int id)
{
    UiThreadCalls::Install();
    ResourceStore::ProvideBitmaps();
    const Kind kind = KindOf(className ? className : "");
    const QRect r(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    if (style & WS_CHILD) {
        WindowRecord* parentRec = WindowRegistry::Find(parent);
        if (!parentRec || !parentRec->widget)
            return nullptr;
        CWnd* owner = parentRec->object;
        return MakeChild(object, owner, kind, className, text, style, exStyle, r, *parentRec, id, nullptr);
    }
    WindowRecord rec;
    rec.owner = parent;
    rec.style = style & ~WS_VISIBLE;
    rec.exStyle = exStyle;
    rec.className = CanonicalName(Kind::Plain, className);
    rec.text = text;
    rec.font = DialogFont("", 8, 400, false);
    BaseUnits(rec.font, rec.baseUnitX, rec.baseUnitY);
    const HWND hwnd = MakeTopLevel(object, std::move(rec));
    WindowRecord& self = *WindowRegistry::Find(hwnd);
    QWidget* widget = self.widget;
    if (!r.isEmpty())
        Place(self, r);
    WindowEventFilter::Watch(widget);
    AttachObject(self, object);
    if (style & WS_VISIBLE) {
        self.style |= WS_VISIBLE;
        widget->show();
    }
    return hwnd;
}

void WindowFactory::AttachObject(WindowRecord& rec, CWnd* object)
{
    rec.object = object;
    if (rec.widget && object && object->HandlesMessage(WM_MOUSEMOVE))
        rec.widget->setMouseTracking(true);
}

void WindowFactory::Destroy(HWND hwnd)
{
    WindowRecord* rec = WindowRegistry::Find(hwnd);
    if (!rec || rec->destroying)
        return;
    // The window and its descendants, parents first.
    std::vector<HWND> order{hwnd};
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (WindowRecord* r = WindowRegistry::Find(order[i])) {
            r->destroying = true;
            order.insert(order.end(), r->children.begin(), r->children.end());
        }
    }
    for (HWND h : order)
        MessageRouter::Send(h, WM_DESTROY, 0, 0);

    rec = WindowRegistry::Find(hwnd);
    if (!rec)
        return;
    QPointer<QWidget> top = rec->Outer();
    if (rec->parent) {
        if (WindowRecord* parent = WindowRegistry::Find(rec->parent)) {
            auto& siblings = parent->children;
            siblings.erase(std::remove(siblings.begin(), siblings.end(), hwnd), siblings.end());
        }
    }
    std::vector<CWnd*> detached;
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        WindowRecord* r = WindowRegistry::Find(*it);
        if (!r)
            continue;
        for (auto& [id, timer] : r->timers) {
            timer->stop();
            timer->deleteLater();
        }
        if (r->modalLoop)
            r->modalLoop->exit(0);
        // The window's menus go with it.
        for (HMENU* menu : {&r->menu, &r->systemMenu}) {
            if (const HMENU gone = std::exchange(*menu, nullptr))
                MenuRegistry::Destroy(gone);
        }
        for (CWnd* object : {r->object, r->defaultObject}) {
            if (object && object->m_hWnd.load() == *it) {
                object->m_hWnd = nullptr;
                if (std::find(detached.begin(), detached.end(), object) == detached.end())
                    detached.push_back(object);
            }
        }
        WindowRegistry::Remove(*it);
    }
    if (top) {
        top->hide();
        // A widget whose signal or event is being handled further up the stack
        // must outlive this call.
        if (MessageRouter::Depth() > 0)
            top->deleteLater();
        else
            delete top.data();
    }
    for (CWnd* object : detached)
        object->PostNcDestroy();
}

void WindowFactory::ApplyStyle(WindowRecord& rec, DWORD oldStyle)
{
    QWidget* w = rec.widget;
    if (!w)
        return;
    const DWORD changed = rec.style ^ oldStyle;
    if (changed & WS_DISABLED)
        rec.Outer()->setEnabled(!(rec.style & WS_DISABLED));
    if (!(rec.style & WS_CHILD))
        return;
    if (changed & WS_VISIBLE)
        w->setVisible((rec.style & WS_VISIBLE) != 0);
    const Kind kind = KindOf(rec.className);
    if (kind == Kind::Edit)
        ApplyEditLook(w, rec.style, rec.exStyle);
    else if (kind == Kind::Static) {
        if (auto* label = qobject_cast<QLabel*>(w); label && label->pixmap().isNull())
            ApplyStaticLook(label, rec.style);
    } else if (kind == Kind::ListView)
        static_cast<ListViewWidget*>(w)->ApplyStyle(rec.style);
    else if (kind == Kind::Button) {
        if (auto* button = qobject_cast<QPushButton*>(w))
            button->setDefault((rec.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON);
    }
    if (changed & WS_TABSTOP)
        ApplyFocusPolicy(w, kind, rec.style);
}

void WindowFactory::ApplyFrame(WindowRecord& rec)
{
    QWidget* w = rec.widget;
    if (!w || (rec.style & WS_CHILD))
        return;
    const DWORD frameBits = WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_SYSMENU;
    if (((rec.frameStyle ^ rec.style) & frameBits) == 0)
        return;
    rec.frameStyle = rec.style;
    QWidget* top = rec.Outer();
    const bool shown = top->isVisible();
    ++rec.moving;
    const Qt::WindowFlags keep = top->windowFlags() & Qt::WindowStaysOnTopHint;
    top->setWindowFlags(TopLevelFlags(rec.style, rec.owner != nullptr) | keep);
    SetClientSize(rec, w->size());
    if (shown)
        top->show();
    --rec.moving;
}

void WindowFactory::ShowText(WindowRecord& rec)
{
    QWidget* w = rec.widget;
    const QString text = QString::fromStdString(rec.text);
    if (!w)
        return;
    if (!(rec.style & WS_CHILD)) {
        rec.Outer()->setWindowTitle(text);
    } else if (auto* label = qobject_cast<QLabel*>(w)) {
        if (label->pixmap().isNull())
            label->setText((rec.style & SS_NOPREFIX) ? text : WithoutMnemonics(rec.text));
    } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        button->setText(text);
    } else if (auto* box = qobject_cast<QGroupBox*>(w)) {
        box->setTitle(text);
    } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        edit->setText(text);
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(w)) {
        plain->setPlainText(text);
    } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
        if (combo->isEditable()) {
            combo->setEditText(text);
        } else {
            const int at = combo->findText(text, Qt::MatchFixedString);
            ++rec.quietNotifications;
            combo->setCurrentIndex(at);
            --rec.quietNotifications;
        }
    }
}

std::string WindowFactory::CurrentText(const WindowRecord& rec)
{
    QWidget* w = rec.widget;
    if (!w)
        return rec.text;
    if (auto* edit = qobject_cast<QLineEdit*>(w))
        return edit->text().toStdString();
    if (auto* plain = qobject_cast<QPlainTextEdit*>(w))
        return plain->toPlainText().toStdString();
    if (auto* combo = qobject_cast<QComboBox*>(w))
        return combo->currentText().toStdString();
    if (auto* ip = dynamic_cast<IpAddressWidget*>(w)) {
        const auto f = ip->Fields();
        std::string text;
        for (std::size_t i = 0; i < 4; ++i)
            text += (i ? "." : "") + (f[i] < 0 ? std::string() : std::to_string(f[i]));
        return text;
    }
    return rec.text;
}

void WindowFactory::Place(WindowRecord& rec, const QRect& rect)
{
    QWidget* w = rec.widget;
    if (!w)
        return;
    ++rec.moving;
    if (rec.style & WS_CHILD) {
        QRect r = rect;
        if (auto* combo = qobject_cast<QComboBox*>(w))
            r.setHeight(std::min(r.height(), ComboFieldHeight(combo)));
        w->setGeometry(r);
        ReportSize(rec);
    } else {
        // The rectangle includes the frame, which the window system adds
        // around the client area, and the menu bar.
        QWidget* top = rec.Outer();
        const QRect frame = top->frameGeometry();
        const QRect inner = top->geometry();
        const int frameWidth = top->isVisible() ? frame.width() - inner.width() : 0;
        const int frameHeight = (top->isVisible() ? frame.height() - inner.height() : 0) + MenuBarHeight(rec);
        top->move(rect.topLeft());
        SetClientSize(rec, QSize(std::max(1, rect.width() - frameWidth), std::max(1, rect.height() - frameHeight)));
        rec.placed = true;
        ReportSize(rec);
    }
    --rec.moving;
}

void WindowFactory::ReportSize(WindowRecord& rec)
{
    QWidget* w = rec.widget;
    if (!w || (!(rec.style & WS_CHILD) && rec.Outer()->isMinimized()) || w->size() == rec.sentSize)
        return;
    rec.sentSize = w->size();
    const UINT kind = (!(rec.style & WS_CHILD) && rec.Outer()->isMaximized()) ? SIZE_MAXIMIZED : SIZE_RESTORED;
    MessageRouter::SendFromEvent(rec.hwnd, WM_SIZE, kind,
                                 MAKELPARAM(static_cast<WORD>(w->width()), static_cast<WORD>(w->height())));
}

void WindowFactory::SetMenuBar(WindowRecord& rec, HMENU menu)
{
    if (!rec.widget || (rec.style & WS_CHILD))
        return;
    auto* frame = dynamic_cast<MenuFrame*>(rec.frame.data());
    if (!frame) {
        if (!menu)
            return;
        ++rec.moving;
        frame = new MenuFrame(rec.widget, rec.hwnd);
        --rec.moving;
        rec.frame = frame;
    }
    frame->ShowMenu(menu);
}

void WindowFactory::FitFrame(WindowRecord& rec)
{
    if (auto* frame = dynamic_cast<MenuFrame*>(rec.frame.data()))
        frame->FitClient();
}

int WindowFactory::MenuBarHeight(const WindowRecord& rec)
{
    const auto* frame = dynamic_cast<const MenuFrame*>(rec.frame.data());
    return frame ? frame->BarHeight() : 0;
}

void WindowFactory::Keep(CWnd* owner, std::unique_ptr<CWnd> object)
{
    if (owner)
        owner->KeepOwned(std::move(object));
}

void WindowFactory::CheckInGroup(HWND radio)
{
    WindowRecord* rec = WindowRegistry::Find(radio);
    if (!rec)
        return;
    WindowRecord* parent = WindowRegistry::Find(rec->parent);
    if (!parent)
        return;
    const auto& siblings = parent->children;
    const auto self = std::find(siblings.begin(), siblings.end(), radio);
    if (self == siblings.end())
        return;
    // The group runs from the last WS_GROUP control at or before this one to
    // the next WS_GROUP control.
    auto first = self;
    while (first != siblings.begin()) {
        WindowRecord* r = WindowRegistry::Find(*first);
        if (r && (r->style & WS_GROUP))
            break;
        --first;
    }
    for (auto it = first; it != siblings.end(); ++it) {
        WindowRecord* r = WindowRegistry::Find(*it);
        if (!r)
            continue;
        if (it != first && (r->style & WS_GROUP))
            break;
        if (*it != radio && IsRadio(r->style) && r->className == WC_BUTTON) {
            if (auto* button = qobject_cast<QAbstractButton*>(r->widget.data()))
                button->setChecked(false);
        }
    }
    if (auto* button = qobject_cast<QAbstractButton*>(rec->widget.data()))
        button->setChecked(true);
}
