DESCRIPTION=Index page: a welcome page with the first picture, linking to a list gallery.
ASKSTRING=Title
ASKDEFAULT=Our Album
ASKSTRING=Welcome
ASKDEFAULT=Welcome! Have a look at our pictures.
ASKCOLOR=Background
ASKDEFAULT="#FAFAF7"
STYLE=LIST
TABLECSS=ix
TABLETDVALIGN=UNORDERED
LISTROWS=24
INDEXISNOTGALLERY=TRUE
INDEXFILE=IndexPage_index.htm
COPY indexpage.css TO indexpage.css
