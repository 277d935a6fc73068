/* Resource ids of the Ravelin fax library. */
#pragma once
#define IDI_RAVELIN 1
#define IDI_FAX_PRINTER 2
#define IDD_RAVELIN_INSTALLATION 201
#define IDD_FAX_PRINTER 202
#define IDR_USER_VALUES 300
#define IDR_PROGRAM_VALUES 301
#define IDR_WIN_INI_SECTIONS 400
