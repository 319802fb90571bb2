// The stand-in mail client's folders and messages.
#pragma once

#include <string>
#include <vector>

struct Folder {
    std::string id;       // the host's opaque folder ID, e.g. "\仕事\受信箱\取引先"
    std::string name;     // the display name
    std::string parentId; // empty for a mailbox, the top of a tree
};

struct Message {
    int serial = 0; // unique in the store, given by AddMessage
    std::string folderId;
    std::string from;
    std::string to;
    std::string date;
    std::string subject;
    std::string body;
    std::string messageId; // given by AddMessage
};

class MailStore {
  public:
    // A folder's parent must have been added before it.
    void AddFolder(Folder folder);
    void AddMessage(Message message);

    const std::vector<Folder>& folders() const { return folders_; }
    // nullptr when no folder has that ID (compared byte for byte).
    const Folder* FindFolder(const std::string& id) const;
    const Message* FindMessage(int serial) const;
    std::vector<const Message*> MessagesIn(const std::string& folderId) const;

    // Moves the messages with these serials into the folder; returns how many
    // moved (none when the folder does not exist).
    int Move(const std::vector<int>& serials, const std::string& folderId);
    // Deletes the folder and the folders below it; their messages go to the
    // folder trashId. Returns how many folders went (none when the folder
    // does not exist, is the trash or holds it).
    int DeleteFolder(const std::string& folderId, const std::string& trashId);

  private:
    std::vector<Folder> folders_;
    std::vector<Message> messages_;
    int nextSerial_ = 1;
};

// The mailboxes, folders and Japanese sample mail the stand-in client starts
// with. Every name and address is invented.
MailStore SampleMailStore();
