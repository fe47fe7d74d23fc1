// Parsing of the driver's device name: identification, format and version.
// Window-free; every output is bounded by the size given.
#pragma once

#include <cstddef>

// Length of the name up to its first ";", carriage return or line feed.
size_t IdentificationLength(const char* name);

// Copies the identification (the name cut at the first separator) into out.
void CopyIdentification(const char* name, char* out, size_t outSize);

// The format name: after the first separator, the text following the first
// "ormat: " up to the next separator. False when there is none (or it is empty).
bool FindFormatName(const char* name, char* out, size_t outSize);

// The driver version: the second piece of the name split at " \t\r\n,;"
// from the first "ersion". False when there is none.
bool FindDriverVersion(const char* name, char* out, size_t outSize);

// Writes tmpl with its first "%s" replaced by value, cut safely at outSize.
// Any other "%" is copied as it stands.
void FillTemplate(const char* tmpl, const char* value, char* out, size_t outSize);

// True when the upper-cased name contains the upper-cased selection text.
bool NameContainsSelection(const char* name, const char* selection);
