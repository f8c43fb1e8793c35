// MediumFolder: the folder of the installation source, which the files an
// entry copies from the medium must not leave. A link on the medium is
// followed only while what it leads to lies in this folder: a hostile medium
// could otherwise copy the user's own files into the installed product.
#pragma once

#include "toolkit/KIVString.h"

class MediumFolder {
public:
    explicit MediumFolder(const char16_t* folder);

    // Whether a link (to a file or a folder) may be followed: true
    // when it leads inside the medium folder; false when it leads outside or
    // nowhere, and the link is then remembered.
    bool Follows(const char16_t* link);
    // Follows for each component of folder below the medium folder that is a
    // link, from the top down to folder itself; true when each may be
    // followed, or once a component does not exist. A folder that is not
    // below the medium folder is not checked.
    bool FollowsLinksDownTo(const char16_t* folder);
    // The link a failed check refused; empty while none was.
    const KIVString& OutsideLink() const { return outsideLink_; }

private:
    bool LeadsInside(const char16_t* path);

    KIVString folder_;
    KIVString finalFolder_; // the medium folder's final path, found at the first link
    KIVString outsideLink_;
};
