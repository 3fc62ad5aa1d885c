// Sets the calling thread's last-error code, so that an error box that shows the
// system's text names the actual cause rather than whatever failed earlier.
#ifndef SNOWGIG_SYSTEMERROR_H
#define SNOWGIG_SYSTEMERROR_H

void setLastErrorFileNotFound();
void setLastErrorInvalidData();

#endif
