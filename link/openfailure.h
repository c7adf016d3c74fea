#pragma once

#include <QString>

// Why a serial device could not be opened, in the operator's terms.
enum class OpenFailure
{
    None,             // the last opening succeeded, or none was tried
    NotFound,         // no such device (nothing at the path, or a dangling link)
    NoDevice,         // no device was given: the port leads nowhere
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
// in (on Linux usually "dialout"), or that no group gives access to it.
QString OpenFailureText(const QString &device, OpenFailure failure, const QString &systemText = {});

// Who may use a device: the group that owns it, when that group may read and
// write it (empty otherwise), and its owner; empty when it cannot be told.
struct DeviceAccess
{
    QString group;
    QString owner;
};
DeviceAccess DeviceAccessOf(const QString &device);
