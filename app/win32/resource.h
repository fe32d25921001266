/* Resource IDs of Velmora.exe, shared by the resource script and the code. */
#ifndef VELMORA_RESOURCE_H
#define VELMORA_RESOURCE_H

#define IDI_VELMORA 1   /* the application icon: the lowest icon ID */
#define IDR_LAYOUT 101  /* RCDATA: the stored layout record */

#endif
