#pragma once

#include <QString>

// Why a serial device could not be opened, in the operator's terms.
enum class OpenFailure
{
    None,             // the last opening succeeded, or none was tried
    NotFound,         // no such device (nothing at the path, or a dangling link)
    NotSerialDevice,  // something that is no serial line: a file, a folder, /dev/null
    PermissionDenied, // the user may not read and write the device
    InUse,            // another program holds the device
    Other,            // any other reason, in the system's words
};

// A short reason for the failure: "not found", "permission denied", "in use by
// another program", "not a serial device", or the system's text for the rest.
QString OpenFailureReason(OpenFailure failure, const QString &systemText = {});

// A sentence for the operator that names the device and tells why it could
// not be opened, with what to do where there is something to do: for
// permission denied, the group that owns the device, which the user must be
// in (on Linux usually "dialout").
QString OpenFailureText(const QString &device, OpenFailure failure, const QString &systemText = {});

// The group that owns the device, or nothing when it cannot be told.
QString DeviceGroup(const QString &device);
