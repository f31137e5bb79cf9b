#pragma once

// The printer dialog of the common-dialog control lives in a module of its own
// (controls/print/), loaded when a printer dialog is first shown: the printing
// libraries are then not loaded at every start of the organiser. What the
// dialog is opened with and what it answers pass in plain values.
#include <QString>
#include <cstdint>

class QWidget;

// What the dialog read back from the chosen printer, in the terms of the
// window system's printer records.
struct PrinterExtras {
    int Collate = 0, Color = 0;
    int32_t DisplayFlags = 0;
    int DriverVersion = 0, Duplex = 0;
    int32_t Fields = 0;
    int PaperLength = 0, PaperSize = 0, PaperWidth = 0, PrintQuality = 0, Scale = 0, SpecVersion = 0, TTOption = 0,
        YResolution = 0;
    QString Extra;
    int Default = 0, DeviceOffset = 0, DriverOffset = 0, OutputOffset = 0;
};

struct PrinterDialogState {
    // Read by the dialog and written back once it is accepted.
    int32_t Flags = 0;
    int FromPage = 0;
    int ToPage = 0;
    // Read by the dialog.
    int Min = 0;
    int Max = 0;
    bool PrinterDefault = false;
    // Written once the dialog is accepted.
    int Copies = 0;
    int32_t Orientation = 0;
    int32_t PaperBin = 0;
    QString PrinterName;
    PrinterExtras Extra;
};

// Shows the dialog over `owner`; false, with the state untouched, when the user
// cancels it.
using ShowPrinterDialog = bool (*)(QWidget* owner, PrinterDialogState& state);
inline constexpr char kShowPrinterDialogSymbol[] = "veltrane_show_printer_dialog";
