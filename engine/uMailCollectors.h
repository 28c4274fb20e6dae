// The collectors of the mail programs' deleted and junk messages: the
// Outlook Express store of deleted items, and Outlook's deleted-items and
// junk folders, which are no files.
#pragma once

namespace qlm {

class TScanContext;

void CollectOutlookExpress(TScanContext& scan);

// After every folder has been searched: one record per Outlook folder that
// holds something. A folder that Outlook cannot be asked about costs only
// its own record.
void ScanOutlookFolders(TScanContext& scan);

}  // namespace qlm
