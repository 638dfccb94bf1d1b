// The null-reference error of the native builds: the plain XML error, without the
// platform's status that the Windows build's XmlAccessError adds.
#include "xml/XmlError.h"

void RaiseNullReference() { throw XmlError(); }
