#pragma once

#include <QString>

// What the RTF reader and writer report. They never show anything themselves: the
// report viewer turns a failure into a message for the user.
struct RtfResult
{
    enum class Error {
        None,
        Device,    // the device could not be read or written (detail: the device's error)
        NotRtf,    // the data does not begin as a Rich Text file
        TooLarge,  // beyond the reader's limits on size, text or paragraphs
        TooDeep,   // groups nested beyond the reader's limit
        Cancelled, // the caller's progress function asked to stop
    };

    Error error = Error::None;
    QString detail; // English, for logs and tests; empty on success

    bool ok() const { return error == Error::None; }
    static RtfResult failure(Error e, const QString &detail) { return RtfResult{e, detail}; }
};
