// The GEDCOM converter library; ConvertFile comes with the converter.
