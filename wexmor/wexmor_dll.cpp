// The Wexmor 2.0 XML library; its functions come with the library.
