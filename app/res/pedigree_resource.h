// The pedigree window's dialog.
#pragma once

#define IDD_PEDIGREE 258

#define IDC_PEDIGREE_CHILDREN 6340
#define IDC_PEDIGREE_PERSON 6341
#define IDC_PEDIGREE_FATHER 6342
#define IDC_PEDIGREE_MOTHER 6343
// The grandparent boxes, in the order father's father, father's mother, mother's father, mother's mother.
#define IDC_PEDIGREE_GRANDPARENT 6344
// The ancestor indicators beside the grandparent boxes, in the same order.
#define IDC_PEDIGREE_ANCESTORS 6348
// The connector lines.
#define IDC_PEDIGREE_LINE 6352
