#include "text/MessageTexts.h"

#include <new>
#include <utility>

#include "framework/Text.h"
#include "xml/XmlElementCursor.h"
#include "xml/XmlError.h"

bool ReadMessages(const XmlElement& root, MessageTexts& messages, std::vector<std::string>* idsAsWritten) {
    try {
        XmlElementCursor cursor = root.GetChildren("Msg");
        for (XmlElement message = cursor.Next(); !message.IsEmpty(); message = cursor.Next()) {
            std::string id = message.GetAttribute("id");
            std::string label = text::BoundedText(message.GetAttribute("Label").c_str(), kLongestMessageText);
            if (idsAsWritten != nullptr) idsAsWritten->push_back(id);
            // A later message with a stored id changes nothing: the first wins.
            if (!id.empty()) messages.emplace(std::move(id), std::move(label));
        }
        return true;
    } catch (const XmlError&) {
        return false;
    } catch (const std::bad_alloc&) {
        return false;
    }
}
