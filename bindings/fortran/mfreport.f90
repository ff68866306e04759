! mfreport for Fortran 2008: reports, contents passes and tables as derived
! types with type-bound procedures, over the library's C interface.
!
! - Texts are passed as any character value; trailing blanks are trimmed, as
!   Fortran programs expect (a cell keeps them with keep_blanks=.true.).
! - Columns count from 1, as Fortran arrays do.
! - Every operation is a subroutine with an optional logical argument `ok`:
!   .true. when written, .false. when not (the kind has no such element, the
!   call is out of order, or a write to the file failed). mf_last_error()
!   tells why an operation failed.
! - A report, contents pass or table is freed by its `free` procedure or, in
!   a procedure, when it goes out of scope (finalization closes a report the
!   program forgot). Variables of the main program are not finalized: call
!   close and free there.
module mfreport
    use, intrinsic :: iso_c_binding, only: c_ptr, c_null_ptr, c_associated, c_char, &
        c_null_char, c_int, c_int64_t, c_double, c_size_t, c_loc, c_f_pointer
    use, intrinsic :: iso_fortran_env, only: int32, int64, real32, real64
    implicit none
    private

    ! Kinds of report.
    integer, parameter, public :: MF_TEXT = 0, MF_HTML = 1, MF_XML_SS = 2, MF_XML_WP = 3, &
        MF_TEXT_CSV = 4, MF_XLSX = 6, MF_DOCX = 7
    ! Column value types, alignments and number formats.
    integer, parameter, public :: MF_INTEGER = 0, MF_REAL = 1, MF_STRING = 2
    integer, parameter, public :: MF_LEFT = 0, MF_CENTER = 1, MF_RIGHT = 2
    integer, parameter, public :: MF_FIXED = 0, MF_SCIENTIFIC = 1, MF_GENERAL = 2

    public :: mf_last_error, mf_version, mf_set_maker

    !> A report of one kind on one file.
    type, public :: mf_device
        type(c_ptr), private :: handle = c_null_ptr
    contains
        procedure :: open => device_open
        procedure :: is_open => device_is_open
        procedure :: kind => device_kind
        procedure :: heading => device_heading
        procedure :: paragraph => device_paragraph
        procedure :: list => device_list
        procedure :: figure => device_figure
        procedure :: page_break => device_page_break
        procedure :: heading_to_toc => device_heading_to_toc
        procedure :: begin_toc => device_begin_toc
        procedure :: end_toc => device_end_toc
        procedure :: last_heading_level => device_last_heading_level
        procedure :: reset_heading_counter => device_reset_heading_counter
        procedure :: add_table => device_add_table
        procedure :: flush => device_flush
        procedure :: close => device_close
        procedure :: free => device_free
        final :: device_final
    end type mf_device

    !> A contents pass over a report: headings become contents lines there;
    !> freeing the pass resets the report's heading numbers for the real pass.
    type, public, extends(mf_device) :: mf_contents
    contains
        procedure :: start => contents_start
    end type mf_contents

    !> A table of a report, streamed record by record.
    type, public :: mf_table
        type(c_ptr), private :: handle = c_null_ptr
    contains
        procedure :: is_open => table_is_open
        procedure :: add_column => table_add_column
        procedure :: column_count => table_column_count
        procedure :: add_note => table_add_note
        procedure :: set_background_color => table_set_background_color
        procedure :: set_wrapping => table_set_wrapping
        procedure :: print_abbreviations => table_print_abbreviations
        procedure :: begin_table => table_begin_table
        procedure :: begin_record => table_begin_record
        procedure, private :: insert_int32, insert_int64, insert_real32, insert_real64, insert_text
        generic :: insert => insert_int32, insert_int64, insert_real32, insert_real64, insert_text
        procedure :: end_record => table_end_record
        procedure :: end_table => table_end_table
        procedure :: free => table_free
        final :: table_final
    end type mf_table

    !> A text on its way to C: NUL-terminated bytes.
    type :: c_text
        character(kind=c_char), allocatable :: bytes(:)
    end type c_text

    interface
        function c_last_error() bind(c, name='mf_last_error') result(text)
            import :: c_ptr
            type(c_ptr) :: text
        end function c_last_error
        function c_version() bind(c, name='mf_version') result(text)
            import :: c_ptr
            type(c_ptr) :: text
        end function c_version
        function c_set_maker(name, suite) bind(c, name='mf_set_maker') result(ok)
            import :: c_ptr, c_int
            type(c_ptr), value :: name, suite
            integer(c_int) :: ok
        end function c_set_maker
        function c_client_create(name, description, version, version_date) &
            bind(c, name='mf_client_create') result(client)
            import :: c_ptr
            type(c_ptr), value :: name, description, version, version_date
            type(c_ptr) :: client
        end function c_client_create
        subroutine c_client_free(client) bind(c, name='mf_client_free')
            import :: c_ptr
            type(c_ptr), value :: client
        end subroutine c_client_free
        function c_model_create(name, description, file_name, sign, date) &
            bind(c, name='mf_model_create') result(model)
            import :: c_ptr
            type(c_ptr), value :: name, description, file_name, sign, date
            type(c_ptr) :: model
        end function c_model_create
        subroutine c_model_free(model) bind(c, name='mf_model_free')
            import :: c_ptr
            type(c_ptr), value :: model
        end subroutine c_model_free
        function c_header_create(name, description, level) &
            bind(c, name='mf_header_create') result(header)
            import :: c_ptr, c_char, c_int
            character(kind=c_char), intent(in) :: name(*), description(*)
            integer(c_int), value :: level
            type(c_ptr) :: header
        end function c_header_create
        subroutine c_header_free(header) bind(c, name='mf_header_free')
            import :: c_ptr
            type(c_ptr), value :: header
        end subroutine c_header_free
        function c_column_create(name, description, type) &
            bind(c, name='mf_column_create') result(column)
            import :: c_ptr, c_char, c_int
            character(kind=c_char), intent(in) :: name(*), description(*)
            integer(c_int), value :: type
            type(c_ptr) :: column
        end function c_column_create
        function c_column_set_units(column, unit, factor) &
            bind(c, name='mf_column_set_units') result(ok)
            import :: c_ptr, c_char, c_int, c_double
            type(c_ptr), value :: column
            character(kind=c_char), intent(in) :: unit(*)
            real(c_double), value :: factor
            integer(c_int) :: ok
        end function c_column_set_units
        function c_column_set_width(column, width, decimals, format) &
            bind(c, name='mf_column_set_width') result(ok)
            import :: c_ptr, c_int
            type(c_ptr), value :: column
            integer(c_int), value :: width, decimals, format
            integer(c_int) :: ok
        end function c_column_set_width
        function c_column_set_adjust(column, adjust) &
            bind(c, name='mf_column_set_adjust') result(ok)
            import :: c_ptr, c_int
            type(c_ptr), value :: column
            integer(c_int), value :: adjust
            integer(c_int) :: ok
        end function c_column_set_adjust
        function c_column_set_background_color(column, color) &
            bind(c, name='mf_column_set_background_color') result(ok)
            import :: c_ptr, c_char, c_int
            type(c_ptr), value :: column
            character(kind=c_char), intent(in) :: color(*)
            integer(c_int) :: ok
        end function c_column_set_background_color
        subroutine c_column_free(column) bind(c, name='mf_column_free')
            import :: c_ptr
            type(c_ptr), value :: column
        end subroutine c_column_free
        function c_device_create(client, file_name, kind, model) &
            bind(c, name='mf_device_create') result(device)
            import :: c_ptr, c_char, c_int
            type(c_ptr), value :: client, model
            character(kind=c_char), intent(in) :: file_name(*)
            integer(c_int), value :: kind
            type(c_ptr) :: device
        end function c_device_create
        function c_contents_create(target) bind(c, name='mf_contents_create') result(device)
            import :: c_ptr
            type(c_ptr), value :: target
            type(c_ptr) :: device
        end function c_contents_create
        subroutine c_device_free(device) bind(c, name='mf_device_free')
            import :: c_ptr
            type(c_ptr), value :: device
        end subroutine c_device_free
        function c_device_kind(device) bind(c, name='mf_device_kind') result(kind)
            import :: c_ptr, c_int
            type(c_ptr), value :: device
            integer(c_int) :: kind
        end function c_device_kind
        function c_add_paragraph(device, text) bind(c, name='mf_add_paragraph') result(ok)
            import :: c_ptr, c_char, c_int
            type(c_ptr), value :: device
            character(kind=c_char), intent(in) :: text(*)
            integer(c_int) :: ok
        end function c_add_paragraph
        function c_add_list(device, items, count, style) bind(c, name='mf_add_list') result(ok)
            import :: c_ptr, c_int, c_size_t
            type(c_ptr), value :: device
            type(c_ptr), intent(in) :: items(*)
            integer(c_size_t), value :: count
            integer(c_int), value :: style
            integer(c_int) :: ok
        end function c_add_list
        function c_add_figure(device, image_file, caption) bind(c, name='mf_add_figure') &
            result(ok)
            import :: c_ptr, c_char, c_int
            type(c_ptr), value :: device
            character(kind=c_char), intent(in) :: image_file(*), caption(*)
            integer(c_int) :: ok
        end function c_add_figure
        function c_last_heading_level(device) bind(c, name='mf_last_heading_level') result(level)
            import :: c_ptr, c_int
            type(c_ptr), value :: device
            integer(c_int) :: level
        end function c_last_heading_level
        function c_add_table(device, header) bind(c, name='mf_add_table') result(table)
            import :: c_ptr
            type(c_ptr), value :: device, header
            type(c_ptr) :: table
        end function c_add_table
        subroutine c_table_free(table) bind(c, name='mf_table_free')
            import :: c_ptr
            type(c_ptr), value :: table
        end subroutine c_table_free
        function c_table_add_column(table, column) bind(c, name='mf_table_add_column') result(n)
            import :: c_ptr, c_int
            type(c_ptr), value :: table, column
            integer(c_int) :: n
        end function c_table_add_column
        function c_table_column_count(table) bind(c, name='mf_table_column_count') result(n)
            import :: c_ptr, c_int
            type(c_ptr), value :: table
            integer(c_int) :: n
        end function c_table_column_count
        function c_table_set_wrapping(table, width, indent) &
            bind(c, name='mf_table_set_wrapping') result(ok)
            import :: c_ptr, c_int
            type(c_ptr), value :: table
            integer(c_int), value :: width, indent
            integer(c_int) :: ok
        end function c_table_set_wrapping
        function c_insert_int64(table, column, value, link) &
            bind(c, name='mf_table_insert_int64') result(ok)
            import :: c_ptr, c_int, c_int64_t
            type(c_ptr), value :: table, link
            integer(c_int), value :: column
            integer(c_int64_t), value :: value
            integer(c_int) :: ok
        end function c_insert_int64
        function c_insert_real(table, column, value, link) &
            bind(c, name='mf_table_insert_real') result(ok)
            import :: c_ptr, c_int, c_double
            type(c_ptr), value :: table, link
            integer(c_int), value :: column
            real(c_double), value :: value
            integer(c_int) :: ok
        end function c_insert_real
        function c_insert_text_n(table, column, value, length, link) &
            bind(c, name='mf_table_insert_text_n') result(ok)
            import :: c_ptr, c_char, c_int, c_size_t
            type(c_ptr), value :: table, link
            integer(c_int), value :: column
            character(kind=c_char), intent(in) :: value(*)
            integer(c_size_t), value :: length
            integer(c_int) :: ok
        end function c_insert_text_n
    end interface

    ! The shapes of operations that several C functions share.
    abstract interface
        function c_device_call(device) bind(c) result(ok)
            import :: c_ptr, c_int
            type(c_ptr), value :: device
            integer(c_int) :: ok
        end function c_device_call
        function c_device_text_level(device, text, level) bind(c) result(ok)
            import :: c_ptr, c_char, c_int
            type(c_ptr), value :: device
            character(kind=c_char), intent(in) :: text(*)
            integer(c_int), value :: level
            integer(c_int) :: ok
        end function c_device_text_level
        function c_table_text(table, text) bind(c) result(ok)
            import :: c_ptr, c_char, c_int
            type(c_ptr), value :: table
            character(kind=c_char), intent(in) :: text(*)
            integer(c_int) :: ok
        end function c_table_text
        function c_table_call(table) bind(c) result(ok)
            import :: c_ptr, c_int
            type(c_ptr), value :: table
            integer(c_int) :: ok
        end function c_table_call
    end interface

    ! Operations of one shape, bound to their C functions by name.
    procedure(c_device_call), bind(c, name='mf_device_close') :: c_device_close
    procedure(c_device_call), bind(c, name='mf_device_flush') :: c_device_flush
    procedure(c_device_call), bind(c, name='mf_add_page_break') :: c_add_page_break
    procedure(c_device_call), bind(c, name='mf_begin_toc') :: c_begin_toc
    procedure(c_device_call), bind(c, name='mf_end_toc') :: c_end_toc
    procedure(c_device_call), bind(c, name='mf_reset_heading_counter') :: c_reset_heading_counter
    procedure(c_device_text_level), bind(c, name='mf_add_heading') :: c_add_heading
    procedure(c_device_text_level), bind(c, name='mf_add_heading_to_toc') :: c_add_heading_to_toc
    procedure(c_table_text), bind(c, name='mf_table_add_note') :: c_table_add_note
    procedure(c_table_text), bind(c, name='mf_table_set_background_color') :: c_table_set_color
    procedure(c_table_call), bind(c, name='mf_table_print_abbreviations') :: c_table_abbreviations
    procedure(c_table_call), bind(c, name='mf_table_begin') :: c_table_begin
    procedure(c_table_call), bind(c, name='mf_table_begin_record') :: c_table_begin_record
    procedure(c_table_call), bind(c, name='mf_table_end_record') :: c_table_end_record
    procedure(c_table_call), bind(c, name='mf_table_end') :: c_table_end

contains

    ! ---- texts ------------------------------------------------------------

    !> `text` without its trailing blanks, NUL-terminated, for a C string.
    function c_str(text) result(bytes)
        character(len=*), intent(in) :: text
        character(kind=c_char, len=:), allocatable :: bytes
        bytes = trim(text) // c_null_char
    end function c_str

    !> Keeps `text` (trimmed) in `holder`; absent, the holder stays empty.
    subroutine hold(holder, text)
        type(c_text), intent(out) :: holder
        character(len=*), intent(in), optional :: text
        integer :: i, n
        if (.not. present(text)) return
        n = len_trim(text)
        allocate (holder%bytes(n + 1))
        do i = 1, n
            holder%bytes(i) = text(i:i)
        end do
        holder%bytes(n + 1) = c_null_char
    end subroutine hold

    !> The address of a held text; NULL for an empty holder.
    function address(holder) result(p)
        type(c_text), intent(in), target :: holder
        type(c_ptr) :: p
        p = c_null_ptr
        if (allocated(holder%bytes)) p = c_loc(holder%bytes)
    end function address

    !> A C string as a Fortran text.
    function fortran_text(p) result(text)
        type(c_ptr), intent(in) :: p
        character(len=:), allocatable :: text
        character(kind=c_char), pointer :: chars(:)
        integer :: n
        if (.not. c_associated(p)) then
            text = ''
            return
        end if
        call c_f_pointer(p, chars, [huge(0)])
        n = 0
        do while (chars(n + 1) /= c_null_char)
            n = n + 1
        end do
        allocate (character(len=n) :: text)
        text = transfer(chars(1:n), text)
    end function fortran_text

    subroutine answer(result, ok)
        integer(c_int), intent(in) :: result
        logical, intent(out), optional :: ok
        if (present(ok)) ok = result /= 0
    end subroutine answer

    ! ---- the library --------------------------------------------------------

    !> Why this thread's last operation failed ("" when none did).
    function mf_last_error() result(text)
        character(len=:), allocatable :: text
        text = fortran_text(c_last_error())
    end function mf_last_error

    !> The library's version, "MAJOR.MINOR.PATCH".
    function mf_version() result(text)
        character(len=:), allocatable :: text
        text = fortran_text(c_version())
    end function mf_version

    !> The maker's name and suite word that the listings and documents show,
    !> for reports opened afterwards; an absent text stays as it is.
    subroutine mf_set_maker(name, suite, ok)
        character(len=*), intent(in), optional :: name, suite
        logical, intent(out), optional :: ok
        type(c_text), target :: n, s
        call hold(n, name)
        call hold(s, suite)
        call answer(c_set_maker(address(n), address(s)), ok)
    end subroutine mf_set_maker

    ! ---- reports ------------------------------------------------------------

    !> Opens a report of `kind` on `file`, with the program's and the model's
    !> identity. An absent program text is the library's default ("<no name>",
    !> ...); absent model texts are empty. When the file cannot be opened, ok
    !> is .false. and mf_last_error() says why.
    subroutine device_open(self, file, kind, program, description, version, version_date, &
                           model, model_description, model_file, sign, date, ok)
        class(mf_device), intent(inout) :: self
        character(len=*), intent(in) :: file
        integer, intent(in) :: kind
        character(len=*), intent(in), optional :: program, description, version, version_date
        character(len=*), intent(in), optional :: model, model_description, model_file, sign, date
        logical, intent(out), optional :: ok
        type(c_text), target :: p(4), m(5)
        type(c_ptr) :: client, identity
        call self%free()
        call hold(p(1), program)
        call hold(p(2), description)
        call hold(p(3), version)
        call hold(p(4), version_date)
        call hold(m(1), model)
        call hold(m(2), model_description)
        call hold(m(3), model_file)
        call hold(m(4), sign)
        call hold(m(5), date)
        client = c_client_create(address(p(1)), address(p(2)), address(p(3)), address(p(4)))
        identity = c_model_create(address(m(1)), address(m(2)), address(m(3)), address(m(4)), &
                                  address(m(5)))
        self%handle = c_device_create(client, c_str(file), int(kind, c_int), identity)
        call c_model_free(identity)
        call c_client_free(client)
        if (present(ok)) ok = c_associated(self%handle)
    end subroutine device_open

    !> .true. while the object holds a report or a contents pass.
    logical function device_is_open(self)
        class(mf_device), intent(in) :: self
        device_is_open = c_associated(self%handle)
    end function device_is_open

    !> MF_TEXT, MF_HTML, MF_XML_SS, MF_XML_WP, MF_XLSX, MF_DOCX, or 5 for a contents pass; -1
    !> for none.
    integer function device_kind(self)
        class(mf_device), intent(in) :: self
        device_kind = int(c_device_kind(self%handle))
    end function device_kind

    subroutine device_heading(self, text, level, ok)
        class(mf_device), intent(inout) :: self
        character(len=*), intent(in) :: text
        integer, intent(in) :: level
        logical, intent(out), optional :: ok
        call answer(c_add_heading(self%handle, c_str(text), int(level, c_int)), ok)
    end subroutine device_heading

    subroutine device_paragraph(self, text, ok)
        class(mf_device), intent(inout) :: self
        character(len=*), intent(in) :: text
        logical, intent(out), optional :: ok
        call answer(c_add_paragraph(self%handle, c_str(text)), ok)
    end subroutine device_paragraph

    !> Style 1: one item per line; style 2: a two-column list of pairs.
    subroutine device_list(self, items, style, ok)
        class(mf_device), intent(inout) :: self
        character(len=*), intent(in) :: items(:)
        integer, intent(in) :: style
        logical, intent(out), optional :: ok
        type(c_text), allocatable, target :: held(:)
        type(c_ptr), allocatable :: pointers(:)
        integer :: i
        allocate (held(size(items)), pointers(size(items)))
        do i = 1, size(items)
            call hold(held(i), items(i))
            pointers(i) = address(held(i))
        end do
        call answer(c_add_list(self%handle, pointers, int(size(items), c_size_t), &
                               int(style, c_int)), ok)
    end subroutine device_list

    subroutine device_figure(self, image_file, caption, ok)
        class(mf_device), intent(inout) :: self
        character(len=*), intent(in) :: image_file, caption
        logical, intent(out), optional :: ok
        call answer(c_add_figure(self%handle, c_str(image_file), c_str(caption)), ok)
    end subroutine device_figure

    subroutine device_page_break(self, ok)
        class(mf_device), intent(inout) :: self
        logical, intent(out), optional :: ok
        call answer(c_add_page_break(self%handle), ok)
    end subroutine device_page_break

    subroutine device_heading_to_toc(self, text, level, ok)
        class(mf_device), intent(inout) :: self
        character(len=*), intent(in) :: text
        integer, intent(in) :: level
        logical, intent(out), optional :: ok
        call answer(c_add_heading_to_toc(self%handle, c_str(text), int(level, c_int)), ok)
    end subroutine device_heading_to_toc

    subroutine device_begin_toc(self, ok)
        class(mf_device), intent(inout) :: self
        logical, intent(out), optional :: ok
        call answer(c_begin_toc(self%handle), ok)
    end subroutine device_begin_toc

    subroutine device_end_toc(self, ok)
        class(mf_device), intent(inout) :: self
        logical, intent(out), optional :: ok
        call answer(c_end_toc(self%handle), ok)
    end subroutine device_end_toc

    integer function device_last_heading_level(self)
        class(mf_device), intent(in) :: self
        device_last_heading_level = int(c_last_heading_level(self%handle))
    end function device_last_heading_level

    subroutine device_reset_heading_counter(self, ok)
        class(mf_device), intent(inout) :: self
        logical, intent(out), optional :: ok
        call answer(c_reset_heading_counter(self%handle), ok)
    end subroutine device_reset_heading_counter

    !> Starts `table` (freeing what it held) with its name, heading and level.
    !> A contents pass writes no tables: then ok is .false. and table holds
    !> nothing; count the table's heading with `heading`, as the real pass
    !> writes one.
    subroutine device_add_table(self, table, name, description, level, ok)
        class(mf_device), intent(inout) :: self
        class(mf_table), intent(inout) :: table
        character(len=*), intent(in) :: name, description
        integer, intent(in) :: level
        logical, intent(out), optional :: ok
        type(c_ptr) :: header
        call table%free()
        header = c_header_create(c_str(name), c_str(description), int(level, c_int))
        table%handle = c_add_table(self%handle, header)
        call c_header_free(header)
        if (present(ok)) ok = c_associated(table%handle)
    end subroutine device_add_table

    !> Writes what is buffered to the file.
    subroutine device_flush(self, ok)
        class(mf_device), intent(inout) :: self
        logical, intent(out), optional :: ok
        call answer(c_device_flush(self%handle), ok)
    end subroutine device_flush

    !> Ends the report: ok is .true. when every byte reached the file and the
    !> file stable storage. The object still holds the closed report until
    !> free.
    subroutine device_close(self, ok)
        class(mf_device), intent(inout) :: self
        logical, intent(out), optional :: ok
        call answer(c_device_close(self%handle), ok)
    end subroutine device_close

    !> Closes the report (when not closed) and lets it go; for a contents pass,
    !> ends the pass.
    subroutine device_free(self)
        class(mf_device), intent(inout) :: self
        if (c_associated(self%handle)) call c_device_free(self%handle)
        self%handle = c_null_ptr
    end subroutine device_free

    subroutine device_final(self)
        type(mf_device), intent(inout) :: self
        call self%free()
    end subroutine device_final

    !> Starts a contents pass over `target` (ending a pass this object held).
    subroutine contents_start(self, target, ok)
        class(mf_contents), intent(inout) :: self
        class(mf_device), intent(in) :: target
        logical, intent(out), optional :: ok
        call self%free()
        self%handle = c_contents_create(target%handle)
        if (present(ok)) ok = c_associated(self%handle)
    end subroutine contents_start

    ! ---- tables ---------------------------------------------------------------

    logical function table_is_open(self)
        class(mf_table), intent(in) :: self
        table_is_open = c_associated(self%handle)
    end function table_is_open

    !> Adds a column: name, description and value type (MF_INTEGER, MF_REAL,
    !> MF_STRING); unit and its factor (shown = value * factor); field width,
    !> decimals and format (MF_FIXED, MF_SCIENTIFIC, MF_GENERAL; the absent
    !> ones 12, 4 and MF_GENERAL); alignment (MF_LEFT, MF_CENTER, MF_RIGHT;
    !> numbers right and text left when absent); colour RRGGBB.
    subroutine table_add_column(self, name, description, type, unit, factor, width, decimals, &
                                format, align, colour, ok)
        class(mf_table), intent(inout) :: self
        character(len=*), intent(in) :: name, description
        integer, intent(in) :: type
        character(len=*), intent(in), optional :: unit, colour
        real(real64), intent(in), optional :: factor
        integer, intent(in), optional :: width, decimals, format, align
        logical, intent(out), optional :: ok
        type(c_ptr) :: column
        integer(c_int) :: result
        real(c_double) :: f
        column = c_column_create(c_str(name), c_str(description), int(type, c_int))
        result = merge(1_c_int, 0_c_int, c_associated(column))
        if (result /= 0 .and. (present(unit) .or. present(factor))) then
            f = 1.0_c_double
            if (present(factor)) f = factor
            if (present(unit)) then
                result = c_column_set_units(column, c_str(unit), f)
            else
                result = c_column_set_units(column, c_str(''), f)
            end if
        end if
        if (result /= 0 .and. (present(width) .or. present(decimals) .or. present(format))) then
            result = c_column_set_width(column, optional_int(width, 12), &
                                        optional_int(decimals, 4), &
                                        optional_int(format, MF_GENERAL))
        end if
        if (result /= 0 .and. present(align)) then
            result = c_column_set_adjust(column, int(align, c_int))
        end if
        if (result /= 0 .and. present(colour)) then
            result = c_column_set_background_color(column, c_str(colour))
        end if
        if (result /= 0) then
            result = merge(1_c_int, 0_c_int, c_table_add_column(self%handle, column) > 0)
        end if
        call c_column_free(column)
        call answer(result, ok)
    end subroutine table_add_column

    integer(c_int) function optional_int(value, otherwise)
        integer, intent(in), optional :: value
        integer, intent(in) :: otherwise
        optional_int = int(otherwise, c_int)
        if (present(value)) optional_int = int(value, c_int)
    end function optional_int

    integer function table_column_count(self)
        class(mf_table), intent(in) :: self
        table_column_count = int(c_table_column_count(self%handle))
    end function table_column_count

    !> A note under the table's heading, written with the head.
    subroutine table_add_note(self, note, ok)
        class(mf_table), intent(inout) :: self
        character(len=*), intent(in) :: note
        logical, intent(out), optional :: ok
        call answer(c_table_add_note(self%handle, c_str(note)), ok)
    end subroutine table_add_note

    subroutine table_set_background_color(self, colour, ok)
        class(mf_table), intent(inout) :: self
        character(len=*), intent(in) :: colour
        logical, intent(out), optional :: ok
        call answer(c_table_set_color(self%handle, c_str(colour)), ok)
    end subroutine table_set_background_color

    !> Folds wide tables: `width` cells per output row, `indent` blank cells
    !> at the start of each continuation row.
    subroutine table_set_wrapping(self, width, indent, ok)
        class(mf_table), intent(inout) :: self
        integer, intent(in) :: width, indent
        logical, intent(out), optional :: ok
        call answer(c_table_set_wrapping(self%handle, int(width, c_int), int(indent, c_int)), ok)
    end subroutine table_set_wrapping

    subroutine table_print_abbreviations(self, ok)
        class(mf_table), intent(inout) :: self
        logical, intent(out), optional :: ok
        call answer(c_table_abbreviations(self%handle), ok)
    end subroutine table_print_abbreviations

    subroutine table_begin_table(self, ok)
        class(mf_table), intent(inout) :: self
        logical, intent(out), optional :: ok
        call answer(c_table_begin(self%handle), ok)
    end subroutine table_begin_table

    subroutine table_begin_record(self, ok)
        class(mf_table), intent(inout) :: self
        logical, intent(out), optional :: ok
        call answer(c_table_begin_record(self%handle), ok)
    end subroutine table_begin_record

    !> The value of `column` (counted from 1) in the open record; `link`
    !> names an anchor of the same document that the cell links to.
    subroutine insert_int32(self, column, value, link, ok)
        class(mf_table), intent(inout) :: self
        integer, intent(in) :: column
        integer(int32), intent(in) :: value
        character(len=*), intent(in), optional :: link
        logical, intent(out), optional :: ok
        call self%insert_int64(column, int(value, int64), link, ok)
    end subroutine insert_int32

    subroutine insert_int64(self, column, value, link, ok)
        class(mf_table), intent(inout) :: self
        integer, intent(in) :: column
        integer(int64), intent(in) :: value
        character(len=*), intent(in), optional :: link
        logical, intent(out), optional :: ok
        type(c_text), target :: l
        call hold(l, link)
        call answer(c_insert_int64(self%handle, int(column - 1, c_int), &
                                   int(value, c_int64_t), address(l)), ok)
    end subroutine insert_int64

    subroutine insert_real32(self, column, value, link, ok)
        class(mf_table), intent(inout) :: self
        integer, intent(in) :: column
        real(real32), intent(in) :: value
        character(len=*), intent(in), optional :: link
        logical, intent(out), optional :: ok
        call self%insert_real64(column, real(value, real64), link, ok)
    end subroutine insert_real32

    subroutine insert_real64(self, column, value, link, ok)
        class(mf_table), intent(inout) :: self
        integer, intent(in) :: column
        real(real64), intent(in) :: value
        character(len=*), intent(in), optional :: link
        logical, intent(out), optional :: ok
        type(c_text), target :: l
        call hold(l, link)
        call answer(c_insert_real(self%handle, int(column - 1, c_int), real(value, c_double), &
                                  address(l)), ok)
    end subroutine insert_real64

    !> A text cell, without its trailing blanks unless keep_blanks is .true.
    subroutine insert_text(self, column, value, link, keep_blanks, ok)
        class(mf_table), intent(inout) :: self
        integer, intent(in) :: column
        character(len=*), intent(in) :: value
        character(len=*), intent(in), optional :: link
        logical, intent(in), optional :: keep_blanks
        logical, intent(out), optional :: ok
        type(c_text), target :: l
        integer(c_size_t) :: length
        length = int(len_trim(value), c_size_t)
        if (present(keep_blanks)) then
            if (keep_blanks) length = int(len(value), c_size_t)
        end if
        call hold(l, link)
        call answer(c_insert_text_n(self%handle, int(column - 1, c_int), value // c_null_char, &
                                    length, address(l)), ok)
    end subroutine insert_text

    subroutine table_end_record(self, ok)
        class(mf_table), intent(inout) :: self
        logical, intent(out), optional :: ok
        call answer(c_table_end_record(self%handle), ok)
    end subroutine table_end_record

    subroutine table_end_table(self, ok)
        class(mf_table), intent(inout) :: self
        logical, intent(out), optional :: ok
        call answer(c_table_end(self%handle), ok)
    end subroutine table_end_table

    !> Lets the table go (end_table first: freeing writes nothing).
    subroutine table_free(self)
        class(mf_table), intent(inout) :: self
        if (c_associated(self%handle)) call c_table_free(self%handle)
        self%handle = c_null_ptr
    end subroutine table_free

    subroutine table_final(self)
        type(mf_table), intent(inout) :: self
        call self%free()
    end subroutine table_final

end module mfreport
