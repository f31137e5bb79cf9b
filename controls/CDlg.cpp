#include "controls/CDlg.h"

#include "platform/DeviceCaps.h"
#include "platform/Modules.h"
#include "platform/RuntimeError.h"
#include "platform/Shell.h"
#include "platform/Twips.h"
#include "platform/Ui.h"
#include "platform/ui/Ambient.h"

#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QPainter>
#include <QStandardPaths>
#include <cmath>
#include <type_traits>

namespace {

const QString kSource = QStringLiteral("Brantic user control");

// The design-time box: 420 x 420 twips.
constexpr int kDesignTwips = 420;

// Dialog flags the dialogs here give a meaning to; the printer dialog's are
// with it, in controls/print/.
constexpr int32_t OFN_OVERWRITEPROMPT = 0x2;
constexpr int32_t OFN_FILEMUSTEXIST = 0x1000;
constexpr int32_t CF_FIXEDPITCHONLY = 0x4000;
constexpr int32_t CF_SCALABLEONLY = 0x20000;

} // namespace

CDlg::CDlg(QWidget* parent) : QWidget(parent) {
    InitProperties();
    ApplyMode();
}

// ---- design-time box ---------------------------------------------------------

void CDlg::ApplyMode() {
    if (platform::AmbientUserMode(this)) {
        hide();
        return;
    }
    resize(platform::TwipsToPixelsX(kDesignTwips), platform::TwipsToPixelsY(kDesignTwips));
}

void CDlg::setVisible(bool visible) {
    // Invisible while its host runs; only a host being designed shows the box.
    QWidget::setVisible(visible && !platform::AmbientUserMode(this));
}

void CDlg::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ParentChange)
        ApplyMode();
}

void CDlg::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const QSize box(platform::TwipsToPixelsX(kDesignTwips), platform::TwipsToPixelsY(kDesignTwips));
    if (!platform::AmbientUserMode(this) && size() != box)
        resize(box);
}

void CDlg::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Button));
    p.setPen(palette().color(QPalette::ButtonText));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    p.drawText(rect(), Qt::AlignCenter, QStringLiteral("CDlg"));
}

// ---- shared rules --------------------------------------------------------------

void CDlg::RequireRunMode() const {
    if (!platform::AmbientUserMode(this))
        throw platform::RuntimeError::fromNumber(387, kSource);
}

void CDlg::ResolveOwner() {
    if (m_OwnerHwnd == 0 && parentWidget())
        m_OwnerHwnd = platform::HandleOf(parentWidget()->window());
}

QWidget* CDlg::Owner() const {
    return qobject_cast<QWidget*>(platform::ObjectFromHandle(m_OwnerHwnd));
}

void CDlg::Cancelled() const {
    if (m_CancelError)
        throw platform::RuntimeError(kCancelError, kSource, QStringLiteral("Cancel was selected."));
}

void CDlg::About() {
    platform::MsgBox(QStringLiteral("CDlg\r\n\r\nThe common dialogs of Veltrane: open and save files, colours, fonts, "
                                    "printers, help files and folders."),
                     platform::MsgStyle::Information, QStringLiteral("About CDlg"));
}

// ---- file dialogs --------------------------------------------------------------

QStringList CDlg::NameFilters(const QString& storedFilter) {
    QStringList result;
    const QStringList parts = storedFilter.split(QChar(0));
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        const QString& description = parts.at(i);
        QStringList patterns;
        for (QString pattern : parts.at(i + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            pattern = pattern.trimmed();
            // "*.*" means every file, with or without a dot in its name.
            patterns << (pattern == QLatin1String("*.*") ? QStringLiteral("*") : pattern);
        }
        if (description.isEmpty() && patterns.isEmpty())
            continue;
        result << description + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return result;
}

void CDlg::ShowOpen() {
    ShowFileDialog(false);
}

void CDlg::ShowSave() {
    ShowFileDialog(true);
}

void CDlg::ShowFileDialog(bool save) {
    ResolveOwner();
    QFileDialog dialog(Owner());
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode((m_Flags & OFN_FILEMUSTEXIST) ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !(m_Flags & OFN_OVERWRITEPROMPT));
    dialog.setWindowTitle(!m_DialogTitle.isEmpty() ? m_DialogTitle
                          : save                   ? QStringLiteral("Save As")
                                                   : QStringLiteral("Open"));
    const QStringList filters = NameFilters(m_Filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        // The descriptions are shown as written; the patterns stay behind them.
        dialog.setOption(QFileDialog::HideNameFilterDetails);
    }
    if (!m_InitDir.isEmpty())
        dialog.setDirectory(m_InitDir);
    if (!m_DefaultExt.isEmpty())
        dialog.setDefaultSuffix(m_DefaultExt);

    const bool confirmed = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
    const QString path = confirmed ? QDir::toNativeSeparators(dialog.selectedFiles().first()) : QString();
    // The file buffer holds MaxFileSize characters; a longer path does not fit,
    // and the dialog fails as when cancelled.
    if (!confirmed || path.size() > m_MaxFileSize) {
        Cancelled();
        return;
    }
    const QString title = QFileInfo(path).fileName();
    m_Filename = path;
    m_FileOffset = static_cast<int>(path.size() - title.size());
    const qsizetype dot = title.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        m_ExtensionOffset = static_cast<int>(path.size()); // the end of the name
    else if (dot == title.size() - 1)
        m_ExtensionOffset = 0; // a name ending in a dot has no extension
    else
        m_ExtensionOffset = m_FileOffset + static_cast<int>(dot) + 1;
    m_FileTitle = title;
    // The dialog names the chosen filter by its description alone.
    const QString chosen = dialog.selectedNameFilter();
    m_FilterIndex = 0;
    for (int i = 0; i < filters.size(); ++i)
        if (filters.at(i) == chosen || filters.at(i).startsWith(chosen + QStringLiteral(" ("))) {
            m_FilterIndex = i + 1;
            break;
        }
}

// ---- colour and font -----------------------------------------------------------

void CDlg::ShowColor() {
    ResolveOwner();
    // The dialog's custom colours are shared by every dialog; this control
    // keeps its own sixteen and hands them over for the time it is open.
    for (int i = 0; i < 16; ++i)
        QColorDialog::setCustomColor(i, platform::ToQColor(m_CustomColors[i]));
    QColorDialog dialog(Owner());
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    dialog.setCurrentColor(Qt::black);
    const bool confirmed = dialog.exec() == QDialog::Accepted;
    for (int i = 0; i < 16; ++i)
        m_CustomColors[i] = platform::FromQColor(QColorDialog::customColor(i));
    if (!confirmed) {
        Cancelled();
        return;
    }
    m_Color = platform::FromQColor(dialog.selectedColor());
}

CDlg::FontRecord CDlg::FontRecordOf(const QFont& font, int logPixelsY) {
    FontRecord r;
    r.FaceName = font.family().left(31);
    if (font.pointSizeF() > 0)
        r.Height = -static_cast<int32_t>(std::nearbyint(font.pointSizeF() * logPixelsY / 72.0));
    else
        r.Height = -font.pixelSize();
    r.Weight = static_cast<int32_t>(font.weight());
    r.Italic = font.italic();
    r.Underline = font.underline();
    r.StrikeOut = font.strikeOut();
    // The dialog offers no choice of character set; the record keeps the one
    // it was given.
    r.CharSet = 1;
    return r;
}

float CDlg::PointSizeOf(int32_t height, int logPixelsY) {
    if (logPixelsY <= 0)
        return 0;
    return static_cast<float>(std::nearbyint(-static_cast<double>(height) / logPixelsY * 72.0));
}

void CDlg::ShowFont() {
    ResolveOwner();
    // Only the face is offered; size and style start at the dialog's own.
    const QString face = m_FontName.left(31);
    QFontDialog dialog(QFont(face.isEmpty() ? QApplication::font().family() : face), Owner());
    QFontDialog::FontDialogOptions options = QFontDialog::DontUseNativeDialog;
    if (m_Flags & CF_FIXEDPITCHONLY)
        options |= QFontDialog::MonospacedFonts;
    if (m_Flags & CF_SCALABLEONLY)
        options |= QFontDialog::ScalableFonts;
    dialog.setOptions(options);
    if (dialog.exec() != QDialog::Accepted) {
        Cancelled();
        return;
    }
    const int dpi = platform::GetDeviceCaps(platform::LOGPIXELSY);
    const FontRecord r = FontRecordOf(dialog.selectedFont(), dpi);
    m_FontName = r.FaceName;
    m_Color = 0; // the dialog has no colour choice: the record's black comes back
    m_FontCharSet = r.CharSet;
    m_FontItalic = r.Italic;
    m_FontStrikeThru = r.StrikeOut;
    m_FontUnderLine = r.Underline;
    m_FontBold = r.Weight > 400;
    m_FontSize = PointSizeOf(r.Height, dpi);
    m_hDC = 0;
}

// ---- printer ---------------------------------------------------------------------

void CDlg::ShowPrinter() {
    ResolveOwner();
    // The dialog and the printing libraries are loaded on its first showing;
    // without its module no printer can be chosen, as when it is cancelled.
    static const ShowPrinterDialog show = reinterpret_cast<ShowPrinterDialog>(
        platform::ModuleFunction(QStringLiteral("veltrane_print"), kShowPrinterDialogSymbol));
    PrinterDialogState state;
    state.Flags = m_Flags;
    state.FromPage = m_FromPage;
    state.ToPage = m_ToPage;
    state.Min = m_Min;
    state.Max = m_Max;
    state.PrinterDefault = m_PrinterDefault;
    if (!show || !show(Owner(), state)) {
        Cancelled();
        return;
    }
    m_Flags = state.Flags;
    m_FromPage = state.FromPage;
    m_ToPage = state.ToPage;
    m_Copies = state.Copies;
    m_Orientation = state.Orientation;
    m_PrinterDefaultSource = state.PaperBin;
    m_hDC = 0;
    m_PrinterName = state.PrinterName;
    m_Extra = state.Extra;
}

// ---- help and folders ------------------------------------------------------------

void CDlg::ShowHelp() {
    ResolveOwner();
    // The help file is opened with the desktop's default action; help commands,
    // contexts and keywords have no meaning to it.
    if (!m_HelpFile.trimmed().isEmpty())
        platform::ShellExecuteOpen(m_HelpFile);
}

QString CDlg::ShowBrowseForFolder() {
    ResolveOwner();
    QFileDialog dialog(Owner());
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    dialog.setWindowTitle(m_DialogTitle.isEmpty() ? QStringLiteral("Browse for Folder") : m_DialogTitle);
    // The tree starts at the desktop.
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    dialog.setDirectory(QFileInfo(desktop).isDir() ? desktop : QDir::homePath());
    const bool confirmed = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
    m_FolderPath = confirmed ? QDir::toNativeSeparators(dialog.selectedFiles().first()) : QString();
    if (!confirmed)
        Cancelled();
    return m_FolderPath;
}

// ---- properties --------------------------------------------------------------------

void CDlg::setFilter(const QString& New_Filter) {
    Store(m_Filter, QString(New_Filter).replace(QLatin1Char('|'), QChar(0)), "Filter");
}

void CDlg::setAction(int New_Action) {
    RequireRunMode();
    if (New_Action < 0 || New_Action > 6)
        throw platform::RuntimeError::fromNumber(380, kSource);
    Store(m_Action, New_Action, "Action");
    switch (New_Action) {
    case 1:
        ShowOpen();
        break;
    case 2:
        ShowSave();
        break;
    case 3:
        ShowColor();
        break;
    case 4:
        ShowFont();
        break;
    case 5:
        ShowPrinter();
        break;
    case 6:
        ShowHelp();
        break;
    default:
        break;
    }
}

// ---- property bag --------------------------------------------------------------------

template <class Self, class Visit> void CDlg::EachProperty(Self& self, Visit visit) {
    const QString none;
    visit("Color", self.m_Color, 0);
    visit("CancelError", self.m_CancelError, false);
    visit("Flags", self.m_Flags, 0);
    visit("DefaultExt", self.m_DefaultExt, none);
    visit("FileName", self.m_Filename, none);
    visit("Filter", self.m_Filter, none);
    visit("InitDir", self.m_InitDir, none);
    visit("DialogTitle", self.m_DialogTitle, none);
    visit("FileTitle", self.m_FileTitle, none);
    visit("Copies", self.m_Copies, 1);
    visit("FilterIndex", self.m_FilterIndex, 0);
    visit("MaxFileSize", self.m_MaxFileSize, 260);
    visit("FileOffset", self.m_FileOffset, 0);
    visit("ExtensionOffset", self.m_ExtensionOffset, 0);
    visit("FontBold", self.m_FontBold, false);
    visit("FontName", self.m_FontName, none);
    visit("FontSize", self.m_FontSize, 8.0f);
    visit("FontStrikeThru", self.m_FontStrikeThru, false);
    visit("FontUnderLine", self.m_FontUnderLine, false);
    visit("FontCharSet", self.m_FontCharSet, 0);
    visit("FontItalic", self.m_FontItalic, false);
    visit("hDC", self.m_hDC, 0);
    visit("PrinterDefault", self.m_PrinterDefault, false);
    visit("Min", self.m_Min, 0);
    visit("Max", self.m_Max, 0);
    visit("FromPage", self.m_FromPage, 0);
    visit("ToPage", self.m_ToPage, 0);
    visit("Orientation", self.m_Orientation, 1);
    visit("Action", self.m_Action, 0);
    visit("HelpCommand", self.m_HelpCommand, 0);
    visit("HelpContext", self.m_HelpContext, 0);
    visit("HelpFile", self.m_HelpFile, none);
    visit("HelpKey", self.m_HelpKey, none);
    visit("PrinterName", self.m_PrinterName, none);
    visit("PrinterDefaultSource", self.m_PrinterDefaultSource, 0);
    visit("FolderPath", self.m_FolderPath, none);
    visit("BrowseSpecialFolder", self.m_BrowseSpecialFolder, 0);
}

void CDlg::InitProperties() {
    EachProperty(*this, [](const char*, auto& field, const auto& def) { field = def; });
}

void CDlg::ReadProperties(const platform::PropertyBag& PropBag) {
    EachProperty(*this, [&PropBag](const char* key, auto& field, const auto& def) {
        using Field = std::decay_t<decltype(field)>;
        field = PropBag.ReadProperty(QLatin1String(key), QVariant::fromValue(def)).template value<Field>();
    });
}

void CDlg::WriteProperties(platform::PropertyBag& PropBag) const {
    EachProperty(*this, [&PropBag](const char* key, const auto& field, const auto& def) {
        PropBag.WriteProperty(QLatin1String(key), QVariant::fromValue(field), QVariant::fromValue(def));
    });
}
