! Writes the report of a small steel footbridge model in every output kind,
! through the Fortran module: mfreport-demo-fortran [OUTDIR] (default
! "reports"). Exits with 1 when a report could not be written completely.
module footbridge
    use mfreport
    use, intrinsic :: iso_fortran_env, only: real64, error_unit
    implicit none
    private
    public :: write_document

    integer, parameter :: node_id(7) = [1, 2, 3, 4, 5, 6, 7]
    real(real64), parameter :: node_x(7) = [0.0_real64, 6.0_real64, 12.0_real64, 18.0_real64, &
                                            24.0_real64, 6.0_real64, 18.0_real64]
    real(real64), parameter :: node_y(7) = [0.0_real64, 0.0_real64, 0.0_real64, 0.0_real64, &
                                            0.0_real64, 1.5_real64, 1.5_real64]
    character(len=6), parameter :: support(7) = [character(len=6) :: 'pinned', '<none>', &
                                                 'roller', '<none>', 'pinned', '', '']

    integer, parameter :: element(3, 6) = reshape([1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4, 5, 5, 2, 6, &
                                                   6, 4, 7], [3, 6])
    real(real64), parameter :: forces(3, 6) = reshape( &
        [-125.40_real64, 38.25_real64, 0.0_real64, -98.75_real64, -12.5_real64, 114.75_real64, &
         -98.75_real64, 12.5_real64, 114.75_real64, -125.40_real64, -38.25_real64, 0.0_real64, &
         42.125_real64, 0.0_real64, -1.25e-3_real64, 42.125_real64, 0.0_real64, 1.25e-3_real64], &
        [3, 6])

contains

    !> Tables have no writer in the contents pass; their headings still count.
    logical function open_table(device, table, name, description, level)
        class(mf_device), intent(inout) :: device
        type(mf_table), intent(inout) :: table
        character(len=*), intent(in) :: name, description
        integer, intent(in) :: level
        call device%add_table(table, name, description, level, open_table)
        if (.not. open_table) call device%heading(description, level)
    end function open_table

    subroutine node_table(device)
        class(mf_device), intent(inout) :: device
        type(mf_table) :: table
        integer :: i
        if (.not. open_table(device, table, 'NODES', 'Node coordinates', 3)) return
        call table%add_note('Coordinates in the global system; origin at the west abutment.')
        call table%add_column('Node', 'Node number', MF_INTEGER)
        call table%add_column('X', 'Global X coordinate', MF_REAL, unit='mm', &
                              factor=1000.0_real64, width=10, decimals=1, format=MF_FIXED)
        call table%add_column('Y', 'Global Y coordinate', MF_REAL, unit='mm', &
                              factor=1000.0_real64, width=10, decimals=1, format=MF_FIXED)
        call table%add_column('Z', 'Global Z coordinate', MF_REAL, unit='mm', &
                              factor=1000.0_real64, width=10, decimals=1, format=MF_FIXED)
        call table%add_column('Support', 'Support condition', MF_STRING)
        call table%begin_table()
        do i = 1, size(node_id)
            call table%begin_record()
            call table%insert(1, node_id(i))
            call table%insert(2, node_x(i))
            call table%insert(3, node_y(i))
            call table%insert(4, 0.0_real64)
            call table%insert(5, support(i))
            call table%end_record()
        end do
        call table%end_table()
    end subroutine node_table

    subroutine force_table(device)
        class(mf_device), intent(inout) :: device
        type(mf_table) :: table
        integer :: i
        if (.not. open_table(device, table, 'FORCES', 'Element end forces', 3)) return
        call table%add_note('Load combination ULS-1: 1.35 G + 1.5 Q.')
        call table%add_note('Positive normal force N is tension.')
        call table%add_column('Elem', 'Element number', MF_INTEGER)
        call table%add_column('Node i', 'Start node', MF_INTEGER)
        call table%add_column('Node j', 'End node', MF_INTEGER)
        call table%add_column('N', 'Normal force', MF_REAL, unit='kN', factor=1.0_real64, &
                              width=10, decimals=2, format=MF_FIXED)
        call table%add_column('V', 'Shear force', MF_REAL, unit='kN', factor=1.0_real64, &
                              width=10, decimals=2, format=MF_FIXED)
        call table%add_column('M', 'Bending moment', MF_REAL, unit='kNm', factor=1.0_real64, &
                              width=12, decimals=3, format=MF_SCIENTIFIC, colour='FFF2CC')
        call table%set_background_color('E8F0FF')
        call table%print_abbreviations()
        call table%begin_table()
        do i = 1, size(element, 2)
            call table%begin_record()
            call table%insert(1, element(1, i))
            call table%insert(2, element(2, i), link='NODES')
            call table%insert(3, element(3, i), link='NODES')
            call table%insert(4, forces(1, i))
            call table%insert(5, forces(2, i))
            call table%insert(6, forces(3, i))
            call table%end_record()
        end do
        call table%end_table()
    end subroutine force_table

    subroutine envelope_table(device)
        class(mf_device), intent(inout) :: device
        type(mf_table) :: table
        character(len=40) :: name, description
        real(real64) :: sag
        integer :: i, lc
        if (.not. open_table(device, table, 'ENVELOPE', 'Displacement envelope per load case', &
                             3)) return
        call table%add_note('Wide table: folded after six cells, continuation rows indented by one.')
        call table%add_column('Node', 'Node number', MF_INTEGER)
        do lc = 1, 10
            write (name, '(a,i0)') 'u', lc
            write (description, '(a,i0)') 'Displacement, load case ', lc
            call table%add_column(name, description, MF_REAL, unit='mm', factor=1000.0_real64, &
                                  width=8, decimals=2, format=MF_FIXED)
        end do
        call table%set_wrapping(6, 1)
        call table%begin_table()
        do i = 1, size(node_id)
            call table%begin_record()
            call table%insert(1, node_id(i))
            do lc = 1, 10
                if (support(i)(1:1) == 'p' .or. support(i)(1:1) == 'r') then
                    sag = 0.0_real64
                else
                    sag = (-0.0021_real64 * lc) * sin(node_x(i) / 24.0_real64 * 3.14159_real64)
                end if
                call table%insert(lc + 1, sag)
            end do
            call table%end_record()
        end do
        call table%end_table()
    end subroutine envelope_table

    subroutine write_report(device, figure)
        class(mf_device), intent(inout) :: device
        character(len=*), intent(in) :: figure
        call device%heading('Model', 1)
        call device%paragraph('The footbridge is a two-span steel truss of 24 m, modelled with ' // &
                              'beam elements in the vertical plane.')
        call device%heading('Materials and sections', 2)
        call device%list([character(len=23) :: 'Steel', 'S355, E = 210 000 N/mm2', 'Chords', &
                          'HEA 200', 'Diagonals', 'CHS 114.3x6.3'], 2)
        call device%figure(figure, 'Figure 1: elevation of the footbridge model.')
        call device%heading('Geometry', 2)
        call node_table(device)
        call device%heading('Results', 1)
        call device%paragraph('Results of the linear static analysis, load combination ULS-1.')
        call device%heading('Forces', 2)
        call force_table(device)
        call device%heading('Displacements', 2)
        call envelope_table(device)
        call device%page_break()
        call device%heading('Conclusion', 1)
        call device%list([character(len=45) :: 'All members satisfy the ultimate limit state.', &
                          'The largest deflection is below span/400.'], 1)
    end subroutine write_report

    !> .true. when the whole document reached the file. `extension` is what
    !> the device appends to the file name itself.
    logical function write_document(file, kind, figure, extension) result(written)
        character(len=*), intent(in) :: file, figure, extension
        integer, intent(in) :: kind
        type(mf_device) :: device
        type(mf_contents) :: contents
        call device%open(file, kind, program='BeamCalc', &
                         description='Linear static analysis of plane frames', version='2.4.1', &
                         version_date='01-NOV-2026', model='Footbridge B-12', &
                         model_description='Steel footbridge, two spans of 12 m', &
                         model_file='footbridge-b12.mdl', sign='JD', date='05-DEC-2026', ok=written)
        if (.not. written) then
            write (error_unit, '(2a)') 'mfreport-demo-fortran: ', mf_last_error()
            return
        end if
        call device%paragraph('Contents')
        call device%begin_toc()
        call contents%start(device)
        call write_report(contents, figure)
        call contents%free()
        call device%end_toc()
        call write_report(device, figure)
        ! Only close tells whether every byte reached the disk.
        call device%close(written)
        if (.not. written) then
            write (error_unit, '(4a)') 'mfreport-demo-fortran: writing ', file, extension, ' failed'
        else
            write (*, '(3a)') 'wrote ', file, extension
        end if
    end function write_document

end module footbridge

program mfreport_demo_fortran
    use footbridge, only: write_document
    use mfreport, only: MF_HTML, MF_XML_SS, MF_XML_WP, MF_TEXT, MF_TEXT_CSV
    implicit none
    include 'examples_dir.inc'
    character(len=4096) :: outdir
    character(len=:), allocatable :: dir, figure
    logical :: written
    integer :: status

    outdir = 'reports'
    if (command_argument_count() >= 1) call get_command_argument(1, outdir)
    dir = trim(outdir)
    call execute_command_line('mkdir -p "' // dir // '"', exitstat=status)
    figure = dir // '/footbridge.png'
    if (.not. copied(examples_dir // '/footbridge.png', figure)) then
        error stop 'mfreport-demo-fortran: cannot copy the figure'
    end if

    written = write_document(dir // '/report.html', MF_HTML, 'footbridge.png', '')
    written = write_document(dir // '/report-workbook.xml', MF_XML_SS, 'footbridge.png', '') &
              .and. written
    ! The document embeds the image, so it needs a path readable from here.
    written = write_document(dir // '/report-document.xml', MF_XML_WP, figure, '') .and. written
    ! The text devices add ".LIS" and ".csv"; they write the tables only.
    written = write_document(dir // '/report', MF_TEXT, 'footbridge.png', '.LIS') .and. written
    written = write_document(dir // '/report', MF_TEXT_CSV, 'footbridge.png', '.csv') .and. written
    if (.not. written) error stop 1

contains

    !> Copies a file byte for byte.
    logical function copied(from, to)
        character(len=*), intent(in) :: from, to
        character(len=1), allocatable :: bytes(:)
        integer :: in, out, size_in_bytes, status
        copied = .false.
        open (newunit=in, file=from, access='stream', form='unformatted', status='old', &
              action='read', iostat=status)
        if (status /= 0) return
        inquire (unit=in, size=size_in_bytes)
        allocate (bytes(size_in_bytes))
        read (in, iostat=status) bytes
        close (in)
        if (status /= 0) return
        open (newunit=out, file=to, access='stream', form='unformatted', status='replace', &
              action='write', iostat=status)
        if (status /= 0) return
        write (out, iostat=status) bytes
        close (out)
        copied = status == 0
    end function copied

end program mfreport_demo_fortran
