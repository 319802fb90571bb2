#include "mail_store.h"

#include <algorithm>

void MailStore::AddFolder(Folder folder) {
    folders_.push_back(std::move(folder));
}

void MailStore::AddMessage(Message message) {
    message.serial = nextSerial_++;
    message.messageId = "<" + std::to_string(message.serial) + ".varkelmail@example.jp>";
    messages_.push_back(std::move(message));
}

const Folder* MailStore::FindFolder(const std::string& id) const {
    const auto found = std::find_if(folders_.begin(), folders_.end(),
                                    [&](const Folder& folder) { return folder.id == id; });
    return found != folders_.end() ? &*found : nullptr;
}

const Message* MailStore::FindMessage(int serial) const {
    const auto found =
        std::find_if(messages_.begin(), messages_.end(),
                     [&](const Message& message) { return message.serial == serial; });
    return found != messages_.end() ? &*found : nullptr;
}

std::vector<const Message*> MailStore::MessagesIn(const std::string& folderId) const {
    std::vector<const Message*> found;
    for (const Message& message : messages_) {
        if (message.folderId == folderId)
            found.push_back(&message);
    }
    return found;
}

int MailStore::Move(const std::vector<int>& serials, const std::string& folderId) {
    if (!FindFolder(folderId))
        return 0;
    int moved = 0;
    for (Message& message : messages_) {
        if (message.folderId != folderId &&
            std::find(serials.begin(), serials.end(), message.serial) != serials.end()) {
            message.folderId = folderId;
            ++moved;
        }
    }
    return moved;
}

int MailStore::DeleteFolder(const std::string& folderId, const std::string& trashId) {
    // The folder and those below it: a parent comes before its folders.
    std::vector<std::string> gone{folderId};
    const auto isGone = [&](const std::string& id) {
        return std::find(gone.begin(), gone.end(), id) != gone.end();
    };
    for (const Folder& folder : folders_) {
        if (isGone(folder.parentId))
            gone.push_back(folder.id);
    }
    if (!FindFolder(folderId) || !FindFolder(trashId) || isGone(trashId))
        return 0;
    for (Message& message : messages_) {
        if (isGone(message.folderId))
            message.folderId = trashId;
    }
    folders_.erase(std::remove_if(folders_.begin(), folders_.end(),
                                  [&](const Folder& folder) { return isGone(folder.id); }),
                   folders_.end());
    return static_cast<int>(gone.size());
}
