// Writers and readers of the assertion contents.
#pragma once

#include "elements.h"

namespace wexmor {

// A content that lacks what its element needs is not written.
bool CanWrite(const WZAlias& alias);
bool CanWrite(const WZAttribute& attribute);
bool CanWrite(const WZEvent& event);
bool CanWrite(const WZRelationship& relationship);
bool CanWrite(const WZInfo& info);

void Write(WexmorFile& file, const WZAlias& alias);
void Write(WexmorFile& file, const WZAttribute& attribute);
void Write(WexmorFile& file, const WZEvent& event);
void Write(WexmorFile& file, const WZRelationship& relationship);
void Write(WexmorFile& file, const WZInfo& info);

int Read(WexmorFile& file, WZAlias& alias);
int Read(WexmorFile& file, WZAttribute& attribute);
int Read(WexmorFile& file, WZEvent& event);
int Read(WexmorFile& file, WZRelationship& relationship);
int Read(WexmorFile& file, WZInfo& info);

} // namespace wexmor
