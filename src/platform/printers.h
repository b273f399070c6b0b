#pragma once

#include "platform/recording_canvas.h"

#include <memory>
#include <string>
#include <vector>

namespace orvalis {

class TCanvas;
class TControl;

// A print job on the chosen printer: pages drawn on a canvas in printer pixels.
class TPrinter {
public:
    virtual ~TPrinter() = default;

    // The installed printers; the first is the default one.
    virtual std::vector<std::string> Printers() const = 0;
    // The printer-setup dialog; false when the reader cancels it or no printer is installed.
    virtual bool SetupDialog(TControl* owner) = 0;

    virtual void SetTitle(const std::string& title) = 0;
    // Starts a document on page 1; false when the printer cannot start one.
    virtual bool BeginDoc() = 0;
    // Raises std::runtime_error when the printer cannot start the page.
    virtual void NewPage() = 0;
    virtual void EndDoc() = 0;
    // Ends the job without finishing it; what was sent is dropped where the printer allows.
    virtual void Abort() = 0;
    virtual bool Printing() const = 0;
    virtual bool Aborted() const = 0;
    virtual int PageNumber() const = 0;
    virtual int PageWidth() const = 0;
    virtual int PageHeight() const = 0;
    // Valid between BeginDoc and EndDoc or Abort; its font sizes in points are the printer's.
    virtual TCanvas& Canvas() = 0;
};

// The test double: pages go to a recording canvas; Log holds the job's steps.
class RecordingPrinter : public TPrinter {
public:
    std::vector<std::string> Installed{"Test printer"};
    bool SetupResult = true;
    int Width = 4800;
    int Height = 6800;
    std::vector<std::string> Log;
    std::string Title;

    std::vector<std::string> Printers() const override { return Installed; }
    bool SetupDialog(TControl*) override { return SetupResult && !Installed.empty(); }
    void SetTitle(const std::string& title) override { Title = title; }
    bool BeginDoc() override {
        if (FPrinting)
            return false;
        FPrinting = true;
        FAborted = false;
        FPage = 1;
        Log.push_back("BeginDoc");
        return true;
    }
    void NewPage() override {
        ++FPage;
        Log.push_back("NewPage");
    }
    void EndDoc() override {
        FPrinting = false;
        Log.push_back("EndDoc");
    }
    void Abort() override {
        FPrinting = false;
        FAborted = true;
        Log.push_back("Abort");
    }
    bool Printing() const override { return FPrinting; }
    bool Aborted() const override { return FAborted; }
    int PageNumber() const override { return FPage; }
    int PageWidth() const override { return Width; }
    int PageHeight() const override { return Height; }
    TCanvas& Canvas() override { return FCanvas; }
    RecordingCanvas& Recording() { return FCanvas; }

private:
    RecordingCanvas FCanvas;
    bool FPrinting = false;
    bool FAborted = false;
    int FPage = 0;
};

TPrinter& Printer();
TPrinter* SetPrinter(TPrinter* service);
// A Qt printer that writes a PDF file instead of printing, for tests and for "print to file".
std::unique_ptr<TPrinter> CreatePdfPrinter(const std::string& fileName);

} // namespace orvalis
