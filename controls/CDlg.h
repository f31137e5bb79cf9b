#pragma once

#include "controls/PrinterDialog.h"
#include "platform/PropertyBag.h"
#include "platform/SysColors.h"

#include <QFont>
#include <QString>
#include <QWidget>
#include <array>
#include <cstdint>

// The common dialogs behind one control, driven through properties: the host
// sets properties, calls a Show operation and reads the results back from the
// same properties. Invisible while its host runs.
class CDlg : public QWidget {
    Q_OBJECT

public:
    explicit CDlg(QWidget* parent = nullptr);

    // The error a cancelled dialog raises while CancelError is set.
    static constexpr long kCancelError = 32755;

    void About();
    int32_t OwnerHwnd() const { return m_OwnerHwnd; }
    void setOwnerHwnd(int32_t New_OwnerHwnd) { m_OwnerHwnd = New_OwnerHwnd; }
    QString ShowBrowseForFolder();
    void ShowHelp();
    void ShowPrinter();
    void ShowSave();
    void ShowOpen();
    void ShowFont();
    void ShowColor();

    platform::OleColor Color() const { return m_Color; }
    void setColor(platform::OleColor New_Color) { Store(m_Color, New_Color, "Color"); }
    bool CancelError() const { return m_CancelError; }
    void setCancelError(bool New_CancelError) { Store(m_CancelError, New_CancelError, "CancelError"); }
    int32_t Flags() const { return m_Flags; }
    void setFlags(int32_t New_Flags) { Store(m_Flags, New_Flags, "Flags"); }
    QString DefaultExt() const { return m_DefaultExt; }
    void setDefaultExt(const QString& New_DefaultExt) { Store(m_DefaultExt, New_DefaultExt, "DefaultExt"); }
    QString Filename() const { return m_Filename; }
    void setFilename(const QString& New_Filename) { Store(m_Filename, New_Filename, "FileName"); }
    // Pairs of description and pattern, written with vertical bars between
    // them and kept with NUL characters in their place.
    QString Filter() const { return m_Filter; }
    void setFilter(const QString& New_Filter);
    QString InitDir() const { return m_InitDir; }
    void setInitDir(const QString& New_InitDir) { Store(m_InitDir, New_InitDir, "InitDir"); }
    QString DialogTitle() const { return m_DialogTitle; }
    void setDialogTitle(const QString& New_DialogTitle) { Store(m_DialogTitle, New_DialogTitle, "DialogTitle"); }
    QString FileTitle() const { return m_FileTitle; }
    void setFileTitle(const QString& New_FileTitle) { StoreResult(m_FileTitle, New_FileTitle, "FileTitle"); }
    int Copies() const { return m_Copies; }
    void setCopies(int New_Copies) { Store(m_Copies, New_Copies, "Copies"); }
    int FilterIndex() const { return m_FilterIndex; }
    void setFilterIndex(int New_FilterIndex) { Store(m_FilterIndex, New_FilterIndex, "FilterIndex"); }
    int MaxFileSize() const { return m_MaxFileSize; }
    void setMaxFileSize(int New_MaxFileSize) { Store(m_MaxFileSize, New_MaxFileSize, "MaxFileSize"); }
    int FileOffset() const { return m_FileOffset; }
    void setFileOffset(int New_FileOffset) { StoreResult(m_FileOffset, New_FileOffset, "FileOffset"); }
    int ExtensionOffset() const { return m_ExtensionOffset; }
    void setExtensionOffset(int New_ExtensionOffset) {
        StoreResult(m_ExtensionOffset, New_ExtensionOffset, "ExtensionOffset");
    }
    bool FontBold() const { return m_FontBold; }
    void setFontBold(bool New_FontBold) { Store(m_FontBold, New_FontBold, "FontBold"); }
    QString FontName() const { return m_FontName; }
    void setFontName(const QString& New_FontName) { Store(m_FontName, New_FontName, "FontName"); }
    float FontSize() const { return m_FontSize; }
    void setFontSize(float New_FontSize) { Store(m_FontSize, New_FontSize, "FontSize"); }
    bool FontStrikeThru() const { return m_FontStrikeThru; }
    void setFontStrikeThru(bool New_FontStrikeThru) { Store(m_FontStrikeThru, New_FontStrikeThru, "FontStrikeThru"); }
    bool FontUnderLine() const { return m_FontUnderLine; }
    void setFontUnderLine(bool New_FontUnderLine) { Store(m_FontUnderLine, New_FontUnderLine, "FontUnderLine"); }
    int32_t FontCharSet() const { return m_FontCharSet; }
    void setFontCharSet(int32_t New_FontCharSet) { Store(m_FontCharSet, New_FontCharSet, "FontCharSet"); }
    bool FontItalic() const { return m_FontItalic; }
    void setFontItalic(bool New_FontItalic) { Store(m_FontItalic, New_FontItalic, "FontItalic"); }
    // No device context exists here: always 0 after a dialog.
    int32_t hDC() const { return m_hDC; }
    void sethDC(int32_t New_hDC) { StoreResult(m_hDC, New_hDC, "hDC"); }
    bool PrinterDefault() const { return m_PrinterDefault; }
    void setPrinterDefault(bool New_PrinterDefault) { Store(m_PrinterDefault, New_PrinterDefault, "PrinterDefault"); }
    int Min() const { return m_Min; }
    void setMin(int New_Min) { Store(m_Min, New_Min, "Min"); }
    int Max() const { return m_Max; }
    void setMax(int New_Max) { Store(m_Max, New_Max, "Max"); }
    int FromPage() const { return m_FromPage; }
    void setFromPage(int New_FromPage) { Store(m_FromPage, New_FromPage, "FromPage"); }
    int ToPage() const { return m_ToPage; }
    void setToPage(int New_ToPage) { Store(m_ToPage, New_ToPage, "ToPage"); }
    int32_t Orientation() const { return m_Orientation; }
    void setOrientation(int32_t New_Orientation) { Store(m_Orientation, New_Orientation, "Orientation"); }
    // Writing 1 to 6 opens a dialog: open, save, colour, font, printer, help.
    int Action() const { return m_Action; }
    void setAction(int New_Action);
    int HelpCommand() const { return m_HelpCommand; }
    void setHelpCommand(int New_HelpCommand) { Store(m_HelpCommand, New_HelpCommand, "HelpCommand"); }
    int32_t HelpContext() const { return m_HelpContext; }
    void setHelpContext(int32_t New_HelpContext) { Store(m_HelpContext, New_HelpContext, "HelpContext"); }
    QString HelpFile() const { return m_HelpFile; }
    void setHelpFile(const QString& New_HelpFile) { Store(m_HelpFile, New_HelpFile, "HelpFile"); }
    QString HelpKey() const { return m_HelpKey; }
    void setHelpKey(const QString& New_HelpKey) { Store(m_HelpKey, New_HelpKey, "HelpKey"); }
    QString PrinterName() const { return m_PrinterName; }
    void setPrinterName(const QString& New_PrinterName) { StoreResult(m_PrinterName, New_PrinterName, "PrinterName"); }
    int32_t PrinterDefaultSource() const { return m_PrinterDefaultSource; }
    void setPrinterDefaultSource(int32_t New_PrinterDefaultSource) {
        StoreResult(m_PrinterDefaultSource, New_PrinterDefaultSource, "PrinterDefaultSource");
    }

    // What ShowPrinter read back from the chosen printer, in the terms of the
    // printer settings record and the printer-names block.
    int PrinterExtraCollate() const { return m_Extra.Collate; }
    int PrinterExtraColor() const { return m_Extra.Color; }
    int32_t PrinterExtraDisplayFlags() const { return m_Extra.DisplayFlags; }
    int PrinterExtraDriverVersion() const { return m_Extra.DriverVersion; }
    int PrinterExtraDuplex() const { return m_Extra.Duplex; }
    int32_t PrinterExtraFields() const { return m_Extra.Fields; }
    int PrinterExtraPaperLength() const { return m_Extra.PaperLength; }
    int PrinterExtraPaperSize() const { return m_Extra.PaperSize; }
    int PrinterExtraPaperWidth() const { return m_Extra.PaperWidth; }
    int PrinterExtraPrintQuality() const { return m_Extra.PrintQuality; }
    int PrinterExtraScale() const { return m_Extra.Scale; }
    int PrinterExtraSpecVersion() const { return m_Extra.SpecVersion; }
    int PrinterExtraTTOption() const { return m_Extra.TTOption; }
    int PrinterExtraYResolution() const { return m_Extra.YResolution; }
    QString PrinterExtraExtra() const { return m_Extra.Extra; }
    int PrinterExtraDefault() const { return m_Extra.Default; }
    int PrinterExtraDeviceOffset() const { return m_Extra.DeviceOffset; }
    int PrinterExtraDriverOffset() const { return m_Extra.DriverOffset; }
    int PrinterExtraOutputOffset() const { return m_Extra.OutputOffset; }

    QString FolderPath() const { return m_FolderPath; }
    void setFolderPath(const QString& New_FolderPath) { Store(m_FolderPath, New_FolderPath, "FolderPath"); }
    int32_t BrowseSpecialFolder() const { return m_BrowseSpecialFolder; }
    void setBrowseSpecialFolder(int32_t New_BrowseSpecialFolder) {
        Store(m_BrowseSpecialFolder, New_BrowseSpecialFolder, "BrowseSpecialFolder");
    }

    // The saved settings.
    void InitProperties();
    void ReadProperties(const platform::PropertyBag& PropBag);
    void WriteProperties(platform::PropertyBag& PropBag) const;

    // The font a dialog returned, as the font record holds it.
    struct FontRecord {
        QString FaceName;
        int32_t Height = 0; // negative: the character height in pixels
        int32_t Weight = 400;
        bool Italic = false;
        bool Underline = false;
        bool StrikeOut = false;
        int32_t CharSet = 1;
    };
    static FontRecord FontRecordOf(const QFont& font, int logPixelsY);
    // The point size of a record's height on a screen of that many pixels per inch.
    static float PointSizeOf(int32_t height, int logPixelsY);
    // The stored NUL-separated filter in the dialog's own form, one entry per pair.
    static QStringList NameFilters(const QString& storedFilter);

    void setVisible(bool visible) override;

signals:
    // A saved property changed; the host saves the bag again.
    void propertyChanged(const QString& name);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void PropertyChanged(const QString& name) { emit propertyChanged(name); }
    // Stores a property and reports the change under its bag key.
    template <class T> void Store(T& field, const T& value, const char* key) {
        field = value;
        PropertyChanged(QLatin1String(key));
    }
    // The same for a result of the dialogs, which a host being designed
    // cannot write.
    template <class T> void StoreResult(T& field, const T& value, const char* key) {
        RequireRunMode();
        Store(field, value, key);
    }
    // Error 387 while the host is being designed.
    void RequireRunMode() const;
    // Hands each saved property to visit(key, field, default), in the bag's order.
    template <class Self, class Visit> static void EachProperty(Self& self, Visit visit);
    void ResolveOwner();
    QWidget* Owner() const;
    // Raises the cancel error when CancelError is set; otherwise nothing.
    void Cancelled() const;
    void ShowFileDialog(bool save);
    void ApplyMode();

    // The saved properties; InitProperties gives each its default.
    platform::OleColor m_Color;
    bool m_CancelError;
    int32_t m_Flags;
    QString m_DefaultExt;
    QString m_Filename;
    QString m_Filter;
    QString m_InitDir;
    QString m_DialogTitle;
    QString m_FileTitle;
    int m_Copies;
    int m_FilterIndex;
    int m_MaxFileSize;
    int m_FileOffset;
    int m_ExtensionOffset;
    bool m_FontBold;
    QString m_FontName;
    float m_FontSize;
    bool m_FontStrikeThru;
    bool m_FontUnderLine;
    int32_t m_FontCharSet;
    bool m_FontItalic;
    int32_t m_hDC;
    bool m_PrinterDefault;
    int m_Min;
    int m_Max;
    int m_FromPage;
    int m_ToPage;
    int32_t m_Orientation;
    int m_Action;
    int m_HelpCommand;
    int32_t m_HelpContext;
    QString m_HelpFile;
    QString m_HelpKey;
    QString m_PrinterName;
    int32_t m_PrinterDefaultSource;
    QString m_FolderPath;
    int32_t m_BrowseSpecialFolder;

    PrinterExtras m_Extra;

    int32_t m_OwnerHwnd = 0;
    std::array<platform::OleColor, 16> m_CustomColors{};
};
