// The mailboxes, folders and Japanese sample mail the stand-in client starts
// with. Every name and address is invented.
#pragma once

#include "mail_store.h"

MailStore SampleMailStore();
