/* The baseline program's one dialog template. */
#pragma once

#define IDD_BASELINE 100
